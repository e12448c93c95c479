// The operating system services the logic uses: a registry of the backends that their owner installed.
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

/// Borrowed pointers: the owner of the backends installs them for as long as they live, and a service left
/// null is served by a harmless default (no mixer, no files, messages on stderr, no scheduler, no display,
/// silence, no help).
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

Mixer& mixer();
ProfileFile& profile();
MessageBox& messageBox();
Process& process();
Scheduler& scheduler();
Toolkit& toolkit();
Sound& sound();
HelpViewer& help();

}  // namespace sonaru::platform
