// The headless toolkit's records and the user's actions, checked as strictly as a real toolkit would.
#include "fakes/headless_toolkit.h"

#include <stdexcept>
#include <utility>

namespace sonaru::test {

using platform::Control;
using platform::ControlKind;

std::vector<Control> HeadlessToolkit::OfKind(ControlKind kind) const {
  std::vector<Control> found;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].design.kind == kind) {
      found.push_back(static_cast<Control>(i + 1));
    }
  }
  return found;
}

std::vector<Control> HeadlessToolkit::Thumbs() const {
  std::vector<Control> found;
  for (Control c : OfKind(ControlKind::PictureBox)) {
    if (controls[c - 1].design.backColor) {
      found.push_back(c);
    }
  }
  return found;
}

std::vector<Control> HeadlessToolkit::Icons() const {
  std::vector<Control> found;
  for (Control c : OfKind(ControlKind::PictureBox)) {
    if (controls[c - 1].design.picture != platform::Picture::None) {
      found.push_back(c);
    }
  }
  return found;
}

std::vector<Control> HeadlessToolkit::Tracks() const {
  std::vector<Control> found;
  for (Control c : OfKind(ControlKind::Label)) {
    if (controls[c - 1].design.bordered) {
      found.push_back(c);
    }
  }
  return found;
}

std::vector<Control> HeadlessToolkit::ScaleLabels() const {
  std::vector<Control> found;
  for (Control c : OfKind(ControlKind::Label)) {
    if (!controls[c - 1].design.bordered) {
      found.push_back(c);
    }
  }
  return found;
}

Control HeadlessToolkit::Button(const std::string& caption) const {
  for (Control c : OfKind(ControlKind::CommandButton)) {
    if (controls[c - 1].design.caption == caption) {
      return c;
    }
  }
  throw std::out_of_range("no button " + caption);
}

platform::FormEvents& HeadlessToolkit::Events() {
  if (events_ == nullptr) {
    throw std::logic_error("the form is not loaded");
  }
  return *events_;
}

// A user can only click what is visible and enabled.
void HeadlessToolkit::ClickBox(Control box) {
  if (Of(box).design.kind != ControlKind::CheckBox || !Of(box).visible || !Of(box).enabled) {
    throw std::logic_error("the box cannot be clicked");
  }
  SetValue(box, Of(box).value == 0 ? 1 : 0);
}

void HeadlessToolkit::Press(Control button) {
  if (Of(button).design.kind != ControlKind::CommandButton) {
    throw std::logic_error("not a button");
  }
  Events().Control_Click(button);
}

void HeadlessToolkit::MouseDown(Control control, int button, float y) {
  Events().Control_MouseDown(control, button, 0, 0, y);
}
void HeadlessToolkit::MouseMove(Control control, int button, float y) {
  Events().Control_MouseMove(control, button, 0, 0, y);
}
void HeadlessToolkit::MouseUp(Control control, int button, float y) {
  Events().Control_MouseUp(control, button, 0, 0, y);
}
void HeadlessToolkit::KeyDown(int keyCode, int shift) { Events().Form_KeyDown(keyCode, shift); }
void HeadlessToolkit::Paint() { Events().Form_Paint(); }
void HeadlessToolkit::Wheel(int steps, float x, float y) { Events().Form_MouseWheel(steps, x, y); }

void HeadlessToolkit::CreateForm(const platform::FormDesign& design, platform::FormEvents& events) {
  form = design;
  events_ = &events;
}

void HeadlessToolkit::WatchDescriptors(const std::vector<int>& descriptors, std::function<void()> ready) {
  watched = descriptors;
  ready_ = descriptors.empty() ? nullptr : std::move(ready);
}

void HeadlessToolkit::After(int milliseconds, std::function<void()> run) {
  pendingDelays.push_back(milliseconds);
  pending_.push_back(std::move(run));
}

void HeadlessToolkit::TimersDue() {
  std::vector<std::function<void()>> due = std::exchange(pending_, {});
  pendingDelays.clear();
  for (const std::function<void()>& run : due) {
    run();
  }
}

void HeadlessToolkit::DescriptorsReady() {
  if (ready_) {
    ready_();
  }
}

void HeadlessToolkit::ReleaseForm(platform::FormEvents& events) {
  WatchDescriptors({}, nullptr);
  pending_.clear();
  pendingDelays.clear();
  if (events_ == &events) {
    events_ = nullptr;
  }
}

Control HeadlessToolkit::AddControl(const platform::ControlDesign& design) {
  controls.push_back(ControlState{.design = design});
  return static_cast<Control>(controls.size());
}

Control HeadlessToolkit::LoadCopy(Control element0) {
  ControlState copy = Of(element0);
  copy.visible = false;
  controls.push_back(copy);
  return static_cast<Control>(controls.size());
}

void HeadlessToolkit::SetCaption(Control control, const std::string& caption) {
  Of(control).design.caption = caption;
}

void HeadlessToolkit::SetValue(Control control, int state) {
  const bool changed = Of(control).value != state;
  Of(control).value = state;
  if (changed) {
    Events().Control_Click(control);
  }
}

void HeadlessToolkit::DrawEdge(Control pictureBox, const platform::PixelRect& rect) {
  if (Of(pictureBox).design.kind != ControlKind::PictureBox) {
    throw std::logic_error("an edge is drawn on picture boxes only");
  }
  Of(pictureBox).edge = rect;
}

void HeadlessToolkit::Show() {
  Events().Form_Load();
  shown = true;
}

void HeadlessToolkit::Unload() {
  Events().Form_Unload();
  events_ = nullptr;
  unloaded = true;
}

void HeadlessToolkit::Run() {
  if (!shown) {
    throw std::logic_error("Run without a shown form");
  }
  if (user) {
    user(*this);
  }
}

}  // namespace sonaru::test
