// The operating system services the logic uses, installed once by the executable and replaced by tests.
#pragma once

namespace sonaru::platform {

class Mixer;
class ProfileFile;
class MessageBox;
class Process;
class Scheduler;
class Toolkit;
class Sound;
class HelpViewer;

struct Services {
  Mixer* mixer = nullptr;
  ProfileFile* profile = nullptr;
  MessageBox* messageBox = nullptr;
  Process* process = nullptr;
  Scheduler* scheduler = nullptr;
  Toolkit* toolkit = nullptr;
  Sound* sound = nullptr;
  HelpViewer* help = nullptr;
};

/// The services in force for this process.
Services& services();

inline Mixer& mixer() { return *services().mixer; }
inline ProfileFile& profile() { return *services().profile; }
inline MessageBox& messageBox() { return *services().messageBox; }
inline Process& process() { return *services().process; }
inline Scheduler& scheduler() { return *services().scheduler; }
inline Toolkit& toolkit() { return *services().toolkit; }
inline Sound& sound() { return *services().sound; }
inline HelpViewer& help() { return *services().help; }

}  // namespace sonaru::platform
