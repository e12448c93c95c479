// The main window: six channel sliders and mute boxes over the window's own mixer, and Save, Restore, Quit.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mixer/channel.h"
#include "mixer/clsVolume.h"
#include "platform/toolkit.h"
#include "window/frmVolume_design.h"

namespace sonaru {

/// Creates its form through the toolkit service; the handlers run as the toolkit delivers the events.
class frmVolume final : public platform::FormEvents {
 public:
  frmVolume();
  /// Detaches from the form, so that no event can reach a window that is gone.
  ~frmVolume() override;
  frmVolume(const frmVolume&) = delete;
  frmVolume& operator=(const frmVolume&) = delete;

  /// Loads the window (Form_Load) and shows it modeless.
  void Show();

  void Form_Load() override;
  void Form_Paint() override;
  void Form_KeyDown(int keyCode, int shift) override;
  void Form_MouseWheel(int steps, float x, float y) override;
  void Form_Unload() override;
  void Control_Click(platform::Control control) override;
  void Control_MouseDown(platform::Control control, int button, int shift, float x, float y) override;
  void Control_MouseMove(platform::Control control, int button, int shift, float x, float y) override;
  void Control_MouseUp(platform::Control control, int button, int shift, float x, float y) override;

 private:
  using Group = std::array<platform::Control, ChannelCount>;

  void CreateControls();
  void RefreshFromMixer();
  std::int32_t ThumbTopFor(int index, std::int32_t level) const;
  void ShowMixerState();
  void WatchMixer();
  void MixerChanged();
  void LookForMixer();

  void picWave_MouseDown(int index, int button, float y);
  void picWave_MouseMove(int index, int button, float y);
  void picWave_MouseUp(int index);
  void DragThumb(platform::Control thumb, float y, int index);
  void MoveThumb(int index, std::int32_t newTop);
  void PlaceThumb(int index, std::int32_t top);
  void ApplySliderLevel(std::int32_t newTop, int index);
  void PlayDing();

  void chkMute_Click(int index);
  void cmdSauv_Click();
  void cmdRest_Click();
  void cmdQuit_Click();

  Group picIcon{}, Label1{}, picWave{}, chkMute{};
  /// Label2 to Label6, each with its elements 0 to 10.
  std::array<std::vector<platform::Control>, design::ScaleColumnCount> ScaleLabels;
  platform::Control cmdSauv = 0, cmdRest = 0, cmdQuit = 0;

  std::unique_ptr<clsVolume> m_Mixer;
  std::array<float, ChannelCount> m_Ratio{};
  std::int32_t m_TwipsPerPixelX = 0;
  std::int32_t m_TwipsPerPixelY = 0;
  std::int32_t m_DragStartY = 0;
  platform::PixelRect m_ThumbRect;
  std::int32_t m_HalfThumb = 0;
  std::int32_t m_TrackTop = 0;
  std::int32_t m_TrackBottom = 0;
  std::int32_t m_TrackHeight = 0;
  std::string m_AppPath;
  /// The column whose thumb the user holds, or -1: a change made elsewhere does not move it.
  int m_DraggedIndex = -1;
  /// True while the boxes follow a change made elsewhere: their clicks then write nothing back.
  bool m_Following = false;
  /// The device went away: it is looked for again now and then, and at the next press on a thumb.
  bool m_MixerLost = false;
};

}  // namespace sonaru
