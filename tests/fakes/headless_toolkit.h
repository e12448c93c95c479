// A toolkit without a display: the form's controls are records that tests read, and tests play the user.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "platform/toolkit.h"

namespace sonaru::test {

class HeadlessToolkit final : public platform::Toolkit {
 public:
  struct ControlState {
    platform::ControlDesign design{};
    bool visible = true;
    bool enabled = true;
    int value = 0;
    std::optional<platform::PixelRect> edge{};
    std::string accessibleName{};
  };

  bool displayAvailable = true;
  double twipsPerPixel = 15;
  /// What the user does while Run handles the events.
  std::function<void(HeadlessToolkit&)> user;

  std::optional<platform::FormDesign> form;
  std::vector<ControlState> controls;  // control c is controls[c - 1]
  bool shown = false;
  bool unloaded = false;

  ControlState& Of(platform::Control control) { return controls.at(control - 1); }
  /// The controls of a kind, in the order of creation.
  std::vector<platform::Control> OfKind(platform::ControlKind kind) const;
  /// The thumbs (picture boxes with a face colour), the icons, the tracks, the scale labels.
  std::vector<platform::Control> Thumbs() const;
  std::vector<platform::Control> Icons() const;
  std::vector<platform::Control> Tracks() const;
  std::vector<platform::Control> ScaleLabels() const;
  platform::Control Button(const std::string& caption) const;

  // The user's side: each runs the form's handlers as the real toolkit would.
  void ClickBox(platform::Control box);
  void Press(platform::Control button);
  void MouseDown(platform::Control control, int button, float y);
  void MouseMove(platform::Control control, int button, float y);
  void MouseUp(platform::Control control, int button, float y);
  void KeyDown(int keyCode, int shift);
  void Wheel(int steps, float x, float y);
  void Paint();

  bool DisplayAvailable() override { return displayAvailable; }
  void CreateForm(const platform::FormDesign& design, platform::FormEvents& events) override;
  void ReleaseForm(platform::FormEvents& events) override;
  void WatchDescriptors(const std::vector<int>& descriptors, std::function<void()> ready) override;
  void After(int milliseconds, std::function<void()> run) override;
  /// The user's side of the timers: the time of the pending calls has come.
  void TimersDue();
  std::vector<int> pendingDelays;
  /// The user's side of the watch: the device told of a change.
  void DescriptorsReady();
  std::vector<int> watched;
  platform::Control AddControl(const platform::ControlDesign& design) override;
  platform::Control LoadCopy(platform::Control element0) override;
  platform::TwipsRect Place(platform::Control control) override { return Of(control).design.place; }
  void SetTop(platform::Control control, double top) override { Of(control).design.place.top = top; }
  void SetCaption(platform::Control control, const std::string& caption) override;
  void SetVisible(platform::Control control, bool visible) override { Of(control).visible = visible; }
  void SetEnabled(platform::Control control, bool enabled) override { Of(control).enabled = enabled; }
  void SetAccessibleName(platform::Control control, const std::string& name) override {
    Of(control).accessibleName = name;
  }
  int Value(platform::Control control) override { return Of(control).value; }
  void SetValue(platform::Control control, int state) override;
  double TwipsPerPixelX() override { return twipsPerPixel; }
  double TwipsPerPixelY() override { return twipsPerPixel; }
  void DrawEdge(platform::Control pictureBox, const platform::PixelRect& rect) override;
  void Show() override;
  void Unload() override;
  void Run() override;

 private:
  platform::FormEvents& Events();

  platform::FormEvents* events_ = nullptr;
  std::function<void()> ready_;
  std::vector<std::function<void()>> pending_;
};

}  // namespace sonaru::test
