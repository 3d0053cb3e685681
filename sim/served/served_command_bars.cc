// Office's command bars served by member name. Optional arguments take
// Office's defaults when left out; a control is one object for buttons and
// popups, whose members of the other kind the platform refuses (438).
#include <type_traits>

#include "platform/com/com_event_ids.h"
#include "platform/com/com_office.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_picture.h"
#include "platform/com/com_support.h"
#include "platform/com/com_word.h"

namespace pinlet::com {
namespace {

using office::CommandBar;
using office::CommandBarControl;
using office::CommandBarControls;
using office::CommandBars;

bool OptionalBool(const DispArgs& args, size_t i) { return args.Has(i) && args.Bool(i); }

const ServedType<office::Window>& WindowType() {
  static const ServedType<office::Window> type = [] {
    ServedType<office::Window> t("OfficeWindow");
    t.Get("CommandBars",
          [](office::Window& w, ServedCall& c) { ReturnObject(c, w.CommandBars()); });
    return t;
  }();
  return type;
}

const ServedType<CommandBars>& BarsType() {
  static const ServedType<CommandBars> type = [] {
    ServedType<CommandBars> t("CommandBars");
    t.Get("Count", [](CommandBars& b, ServedCall& c) { c.Return(b.Count()); })
        .Get("Item",
             [](CommandBars& b, ServedCall& c) {
               const DispArgs& args = c.args();
               ReturnObject(c, IsTextArgument(args, 0) ? b.Item(args.Text(0))
                                                       : b.Item(args.Long(0)));
             },
             {"Index"})
        .Get("Add",
             [](CommandBars& b, ServedCall& c) {
               const DispArgs& args = c.args();
               int position = args.Has(1) ? args.Long(1) : office::kBarTop;
               ReturnObject(c, b.Add(args.Text(0), position, OptionalBool(args, 2),
                                     OptionalBool(args, 3)));
             },
             {"Name", "Position", "MenuBar", "Temporary"})
        .Get("FindControl",
             [](CommandBars& b, ServedCall& c) {
               const DispArgs& args = c.args();
               ReturnObject(c,
                            b.FindControl(args.OptionalLong(0), args.OptionalLong(1),
                                          args.OptionalText(2), OptionalBool(args, 3)));
             },
             {"Type", "Id", "Tag", "Visible"})
        .Default("Item")
        .Events(kDiidCommandBarsEvents, [](CommandBars& b, EventFirer& fire) {
          std::vector<Subscription> subs;
          subs.push_back(b.OnUpdate([&fire] { fire.Fire(kDispOnUpdate, {}); }));
          return subs;
        });
    return t;
  }();
  return type;
}

// A property of type int, bool or text read and written by name.
template <typename T, typename V>
void AddProperty(ServedType<T>& t, std::string name, V (T::*get)(), void (T::*set)(V)) {
  t.Property(
      std::move(name), [get](T& o, ServedCall& c) { c.Return((o.*get)()); },
      [set](T& o, ServedCall& c) {
        if constexpr (std::is_same_v<V, bool>)
          (o.*set)(c.PutBool());
        else
          (o.*set)(c.PutLong());
      });
}

template <typename T>
void AddTextProperty(ServedType<T>& t, std::string name, std::string (T::*get)(),
                     void (T::*set)(std::string_view)) {
  t.Property(
      std::move(name), [get](T& o, ServedCall& c) { c.Return((o.*get)()); },
      [set](T& o, ServedCall& c) { (o.*set)(c.PutText()); });
}

const ServedType<CommandBar>& BarType() {
  static const ServedType<CommandBar> type = [] {
    ServedType<CommandBar> t("CommandBar");
    t.Get("Name", [](CommandBar& b, ServedCall& c) { c.Return(b.Name()); })
        .Get("Index", [](CommandBar& b, ServedCall& c) { c.Return(b.Index()); })
        .Get("Type", [](CommandBar& b, ServedCall& c) { c.Return(b.Type()); })
        .Get("BuiltIn", [](CommandBar& b, ServedCall& c) { c.Return(b.BuiltIn()); })
        .Get("Controls",
             [](CommandBar& b, ServedCall& c) { ReturnObject(c, b.Controls()); })
        .Get("FindControl",
             [](CommandBar& b, ServedCall& c) {
               const DispArgs& args = c.args();
               ReturnObject(c, b.FindControl(args.OptionalLong(0), args.OptionalLong(1),
                                             args.OptionalText(2), OptionalBool(args, 3),
                                             OptionalBool(args, 4)));
             },
             {"Type", "Id", "Tag", "Visible", "Recursive"})
        .Get("Reset", [](CommandBar& b, ServedCall&) { b.Reset(); })
        .Get("Delete", [](CommandBar& b, ServedCall&) { b.Delete(); })
        .Get("Parent", [](CommandBar& b, ServedCall& c) { ReturnObject(c, b.Parent()); });
    AddProperty(t, "Visible", &CommandBar::Visible, &CommandBar::SetVisible);
    AddProperty(t, "Enabled", &CommandBar::Enabled, &CommandBar::SetEnabled);
    AddProperty(t, "Left", &CommandBar::Left, &CommandBar::SetLeft);
    AddProperty(t, "Top", &CommandBar::Top, &CommandBar::SetTop);
    AddProperty(t, "Position", &CommandBar::Position, &CommandBar::SetPosition);
    AddProperty(t, "RowIndex", &CommandBar::RowIndex, &CommandBar::SetRowIndex);
    AddProperty(t, "Protection", &CommandBar::Protection, &CommandBar::SetProtection);
    return t;
  }();
  return type;
}

const ServedType<CommandBarControls>& ControlsType() {
  static const ServedType<CommandBarControls> type = [] {
    ServedType<CommandBarControls> t("CommandBarControls");
    t.Get("Count", [](CommandBarControls& b, ServedCall& c) { c.Return(b.Count()); })
        .Get("Item",
             [](CommandBarControls& b, ServedCall& c) {
               const DispArgs& args = c.args();
               ReturnObject(c, IsTextArgument(args, 0) ? b.Item(args.Text(0))
                                                       : b.Item(args.Long(0)));
             },
             {"Index"})
        .Get("Add",
             [](CommandBarControls& b, ServedCall& c) {
               const DispArgs& args = c.args();
               int type = args.Has(0) ? args.Long(0) : office::kControlButton;
               int id = args.Has(1) ? args.Long(1) : office::kCustomControlId;
               ReturnObject(c,
                            b.Add(type, id, args.OptionalLong(3), OptionalBool(args, 4)));
             },
             {"Type", "Id", "Parameter", "Before", "Temporary"})
        .Default("Item");
    return t;
  }();
  return type;
}

const ServedType<CommandBarControl>& ControlType() {
  using Control = CommandBarControl;
  static const ServedType<Control> type = [] {
    ServedType<Control> t("CommandBarControl");
    t.Get("Type", [](Control& o, ServedCall& c) { c.Return(o.Type()); })
        .Get("Id", [](Control& o, ServedCall& c) { c.Return(o.Id()); })
        .Get("BuiltIn", [](Control& o, ServedCall& c) { c.Return(o.BuiltIn()); })
        .Get("Index", [](Control& o, ServedCall& c) { c.Return(o.Index()); })
        .Get("Parent", [](Control& o, ServedCall& c) { ReturnObject(c, o.Parent()); })
        .Get("Delete", [](Control& o, ServedCall&) { o.Delete(); })
        .Get("PasteFace", [](Control& o, ServedCall&) { o.PasteFace(); })
        .Property(
            "Picture",
            [](Control& o, ServedCall& c) { c.Return(PictureToDispatch(o.Picture())); },
            [](Control& o, ServedCall& c) {
              o.SetPicture(PictureOfDispatch(c.PutObject().get(), c.what()));
            })
        .Property(
            "Mask",
            [](Control& o, ServedCall& c) { c.Return(PictureToDispatch(o.Mask())); },
            [](Control& o, ServedCall& c) {
              o.SetMask(PictureOfDispatch(c.PutObject().get(), c.what()));
            })
        .Get("CommandBar",
             [](Control& o, ServedCall& c) { ReturnObject(c, o.CommandBar()); })
        .Get("Controls", [](Control& o, ServedCall& c) { ReturnObject(c, o.Controls()); })
        .Events(kDiidCommandBarButtonEvents, [](Control& o, EventFirer& fire) {
          std::vector<Subscription> subs;
          subs.push_back(
              o.OnClick([&fire](office::CommandBarControlPtr control, bool& cancel) {
                fire.FireWithCancel(kDispClick,
                                    {ObjectVariant(ToDispatch(control).get())}, cancel);
              }));
          return subs;
        });
    AddTextProperty(t, "Caption", &Control::Caption, &Control::SetCaption);
    AddTextProperty(t, "Tag", &Control::Tag, &Control::SetTag);
    AddTextProperty(t, "TooltipText", &Control::TooltipText, &Control::SetTooltipText);
    AddProperty(t, "Visible", &Control::Visible, &Control::SetVisible);
    AddProperty(t, "Enabled", &Control::Enabled, &Control::SetEnabled);
    AddProperty(t, "BeginGroup", &Control::BeginGroup, &Control::SetBeginGroup);
    AddProperty(t, "Style", &Control::Style, &Control::SetStyle);
    AddProperty(t, "FaceId", &Control::FaceId, &Control::SetFaceId);
    AddProperty(t, "State", &Control::State, &Control::SetState);
    return t;
  }();
  return type;
}

}  // namespace

// Outlook's windows are served as their own types, which also unwrap as
// office::Window. (A Word window has no command bars: it is none.)
template <>
ComPtr<IDispatch> MakeServed<office::Window>(
    const std::shared_ptr<office::Window>& window) {
  if (auto explorer = std::dynamic_pointer_cast<ol::Explorer>(window))
    return MakeServed<ol::Explorer>(explorer);
  if (auto inspector = std::dynamic_pointer_cast<ol::Inspector>(window))
    return MakeServed<ol::Inspector>(inspector);
  return Serve(window, WindowType());
}

template <>
ComPtr<IDispatch> MakeServed<CommandBars>(const std::shared_ptr<CommandBars>& object) {
  return Serve(object, BarsType());
}

template <>
ComPtr<IDispatch> MakeServed<CommandBar>(const std::shared_ptr<CommandBar>& object) {
  return Serve(object, BarType());
}

template <>
ComPtr<IDispatch> MakeServed<CommandBarControls>(
    const std::shared_ptr<CommandBarControls>& object) {
  return Serve(object, ControlsType());
}

template <>
ComPtr<IDispatch> MakeServed<CommandBarControl>(
    const std::shared_ptr<CommandBarControl>& object) {
  return Serve(object, ControlType());
}

}  // namespace pinlet::com
