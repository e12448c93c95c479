// The operating system services the logic uses, installed once by the executable and replaced by tests.
#pragma once

namespace sonaru::platform {

class Mixer;
class ProfileFile;
class MessageBox;
class Process;

struct Services {
  Mixer* mixer = nullptr;
  ProfileFile* profile = nullptr;
  MessageBox* messageBox = nullptr;
  Process* process = nullptr;
};

/// The services in force for this process.
Services& services();

inline Mixer& mixer() { return *services().mixer; }
inline ProfileFile& profile() { return *services().profile; }
inline MessageBox& messageBox() { return *services().messageBox; }
inline Process& process() { return *services().process; }

}  // namespace sonaru::platform
