// Handles on simulated command-bar controls: buttons and popups, their faces
// and their Click event.
#include <string>

#include "platform/clipboard.h"
#include "platform/dib.h"
#include "sim/machine/boundary.h"
#include "sim/machine/sim_command_bars.h"
#include "sim/machine/world.h"

namespace pinlet::sim {
namespace {

constexpr const char* kFaceFormat = "Toolbar Button Face";
constexpr const char* kMaskFormat = "Toolbar Button Mask";

class SimControl : public office::CommandBarControl {
 public:
  SimControl(std::shared_ptr<SimCommandBars> set, std::shared_ptr<ControlNode> node)
      : set_(std::move(set)), node_(std::move(node)) {}

  int Type() override { return Enter("Type").type; }
  int Id() override { return Enter("Id").id; }
  bool BuiltIn() override { return Enter("BuiltIn").built_in; }
  std::string Caption() override { return Enter("Caption").caption; }
  void SetCaption(std::string_view caption) override {
    Enter("Caption").caption = std::string(caption);
    Changed();
  }
  std::string Tag() override { return Enter("Tag").tag; }
  void SetTag(std::string_view tag) override {
    Enter("Tag").tag = std::string(tag);
    Changed();
  }
  std::string TooltipText() override {
    ControlNode& control = Enter("TooltipText");
    return control.tooltip.empty() ? WithoutAccessKeys(control.caption) : control.tooltip;
  }
  void SetTooltipText(std::string_view text) override {
    Enter("TooltipText").tooltip = std::string(text);
    Changed();
  }
  bool Visible() override { return Enter("Visible").visible; }
  void SetVisible(bool visible) override {
    Enter("Visible").visible = visible;
    Changed();
  }
  bool Enabled() override { return Enter("Enabled").enabled; }
  void SetEnabled(bool enabled) override {
    Enter("Enabled").enabled = enabled;
    Changed();
  }
  bool BeginGroup() override { return Enter("BeginGroup").begin_group; }
  void SetBeginGroup(bool begin_group) override {
    Enter("BeginGroup").begin_group = begin_group;
    Changed();
  }
  int Index() override {
    Enter("Index");
    const auto& controls = node_->bar.lock()->controls;
    for (size_t i = 0; i < controls.size(); ++i)
      if (controls[i] == node_) return static_cast<int>(i) + 1;
    return 0;
  }
  office::CommandBarPtr Parent() override {
    Enter("Parent");
    return set_->WrapBar(node_->bar.lock());
  }
  void Delete() override {
    Enter("Delete");
    if (node_->bar.lock()->protection & office::kBarNoCustomize)
      throw MethodFailedError("Delete", Class());
    set_->RemoveControl(node_);
  }

  int Style() override { return EnterButton("Style").style; }
  void SetStyle(int style) override {
    ControlNode& button = EnterButton("Style");
    if (style < office::kButtonAutomatic || style > office::kButtonIconAndCaption)
      throw InvalidArgumentError("CommandBarButton.Style");
    button.style = style;
    Changed();
  }
  int FaceId() override { return EnterButton("FaceId").face_id; }
  void SetFaceId(int face_id) override {
    ControlNode& button = EnterButton("FaceId");
    button.face_id = face_id;
    button.face_source.clear();
    button.face = {};
    button.mask = {};
    Changed();
  }
  void PasteFace() override;
  int State() override { return EnterButton("State").state; }
  void SetState(int state) override {
    ControlNode& button = EnterButton("State");
    if (state != office::kButtonUp && state != office::kButtonDown)
      throw InvalidArgumentError("CommandBarButton.State");
    button.state = state;
    Changed();
  }
  pinlet::Picture Picture() override { return EnterPicture("Picture").face; }
  void SetPicture(const pinlet::Picture& picture) override {
    ControlNode& button = EnterPicture("Picture");
    if (picture.empty()) throw InvalidArgumentError("CommandBarButton.Picture");
    button.face = picture;
    button.face_source = "Picture";
    button.face_id = 0;
    set_->RecordFace({set_->PathOf(button), "Picture", picture, button.mask});
    Changed();
  }
  pinlet::Picture Mask() override { return EnterPicture("Mask").mask; }
  void SetMask(const pinlet::Picture& mask) override {
    ControlNode& button = EnterPicture("Mask");
    if (mask.empty()) throw InvalidArgumentError("CommandBarButton.Mask");
    button.mask = mask;
    set_->RecordFace({set_->PathOf(button), "Mask", mask, {}});
    Changed();
  }
  Subscription OnClick(office::ClickHandler handler) override {
    EnterButton("Advise");
    return node_->click.Subscribe(
        AtBoundary(*set_->world(), "CommandBarButton.Click", std::move(handler)));
  }

  office::CommandBarPtr CommandBar() override {
    EnterPopup("CommandBar");
    return set_->WrapBar(node_->popup_bar);
  }
  office::CommandBarControlsPtr Controls() override {
    EnterPopup("Controls");
    return set_->WrapControls(node_->popup_bar);
  }

 private:
  const char* Class() const {
    return node_->type == office::kControlPopup ? "CommandBarPopup" : "CommandBarButton";
  }
  ControlNode& Enter(const char* member) {
    set_->world()->faults.Check(std::string(Class()) + "." + member);
    if (node_->deleted) throw MethodFailedError(member, Class());
    return *node_;
  }
  // A property of the control was set: a change to the bars.
  void Changed() {
    set_->NoteChange(set_->PathOf(*node_) + " changed", !node_->temporary);
  }
  // Members of one kind only: the other kind lacks them.
  ControlNode& EnterButton(const char* member) {
    if (node_->type != office::kControlButton)
      throw NotSupportedError(std::string(Class()) + "." + member);
    return Enter(member);
  }
  ControlNode& EnterPopup(const char* member) {
    if (node_->type != office::kControlPopup)
      throw NotSupportedError(std::string(Class()) + "." + member);
    return Enter(member);
  }
  // Picture and Mask came with Office 10.
  ControlNode& EnterPicture(const char* member) {
    if (node_->type == office::kControlButton && set_->office_version() < 10)
      throw NotSupportedError(std::string(Class()) + "." + member);
    return EnterButton(member);
  }

  std::shared_ptr<SimCommandBars> set_;
  std::shared_ptr<ControlNode> node_;
};

void SimControl::PasteFace() {
  ControlNode& button = EnterButton("PasteFace");
  // Office opens the clipboard itself; that fails while anyone holds it open.
  const SimClipboard& clipboard = set_->world()->clipboard;
  if (clipboard.held_by_other() || clipboard.is_open())
    throw MethodFailedError("PasteFace", "CommandBarButton");
  auto block = [&](uint32_t format) { return format ? clipboard.Peek(format) : nullptr; };
  std::optional<pinlet::Picture> face, mask;
  std::string source;
  if (const std::string* face_block = block(clipboard.RegisteredFormat(kFaceFormat))) {
    face = PictureFromDib(*face_block);
    source = kFaceFormat;
    if (const std::string* mask_block = block(clipboard.RegisteredFormat(kMaskFormat)))
      mask = PictureFromDib(*mask_block);
  }
  if (!face) {
    const std::string* dib = block(cf::kDib);
    if (!dib) dib = block(cf::kBitmap);  // the system offers one as the other
    if (dib) face = PictureFromDib(*dib);
    source = "CF_DIB";
    mask.reset();
  }
  if (!face) throw MethodFailedError("PasteFace", "CommandBarButton");
  // A mask of another size than the face cannot mark its pixels.
  if (mask && (mask->width != face->width || mask->height != face->height)) mask.reset();
  button.face = *face;
  button.mask = mask ? *mask : pinlet::Picture{};
  button.face_source = source;
  button.face_id = 0;
  set_->RecordFace({set_->PathOf(button), source, button.face, button.mask});
  Changed();
}

}  // namespace

office::CommandBarControlPtr SimCommandBars::WrapControl(
    std::shared_ptr<ControlNode> control) {
  return std::make_shared<SimControl>(shared_from_this(), std::move(control));
}

}  // namespace pinlet::sim
