#include "store/note_property.h"

#include "addin/helper_libraries.h"
#include "platform/host_error.h"

namespace pinlet {

std::string NoteMessageClass(int parent_class) {
  switch (parent_class) {
    case ol::kMail:
      return "IPM.Note";
    case ol::kPost:
      return "IPM.Post";
    case ol::kAppointment:
      return "IPM.Appointment";
    case ol::kContact:
      return "IPM.Contact";
    case ol::kDistList:
      return "IPM.DistList";
    case ol::kTask:
      return "IPM.Task";
    case ol::kJournal:
      return "IPM.Activity";
    case ol::kDocument:
      return "IPM.Document";
    default:
      // Outlook's own notes (44) among them: a note item of theirs keeps
      // no user properties and no attachments.
      return "";
  }
}

std::shared_ptr<CdoSession> CdoSessionFor(AddinContext& ctx) {
  if (ctx.cdo_session) return ctx.cdo_session;
  std::shared_ptr<CdoSession> session;
  std::optional<HostError> error =
      Attempt([&] { session = Must(ctx.platform.objects).CreateCdoSession(); });
  if (error) {
    if (NotInstalled(*error))
      TellLibraryMissing(ctx, HelperLibrary::kCdo, "basMainProc(Function CdoSessionFor)");
    throw *error;
  }
  Must(session).Logon(false, false);
  return session;
}

bool CdoInstalled(AddinContext& ctx) {
  std::optional<HostError> error = Attempt([&] { CdoSessionFor(ctx); });
  return !error || !NotInstalled(*error);
}

std::shared_ptr<CdoMessage> CdoMessageOf(AddinContext& ctx, const ol::ItemPtr& item) {
  return CdoSessionFor(ctx)->GetMessage(Must(item).EntryID(),
                                        Must(item->Parent()).StoreID());
}

std::optional<std::string> ReadField(const std::shared_ptr<CdoMessage>& message,
                                     std::string_view name) {
  auto field = TryGet([&] { return Must(message).Fields()->Item(name); });
  if (!field) return std::nullopt;
  return ToText(field->Value());
}

NoteRead ReadCdoField(CdoFields& fields, std::string_view name) {
  NoteRead read;
  std::shared_ptr<CdoField> field;
  std::optional<HostError> error = Attempt([&] { field = fields.Item(name); });
  if (error) {
    if (error->number() == errors::kNotFound) read.state = NoteRead::State::kAbsent;
    return read;
  }
  if (IgnoreError([&] { read.value = ToText(Must(field).Value()); }))
    read.state = NoteRead::State::kFound;
  return read;
}

std::vector<NoteRead> ReadNoteProperties(AddinContext& ctx, const ol::ItemPtr& note,
                                         std::span<const std::string> names) {
  std::vector<NoteRead> reads(names.size());
  int cls = 0;
  if (!note || !IgnoreError([&] { cls = note->Class(); })) return reads;
  if (cls == ol::kDocument) {
    std::shared_ptr<CdoFields> fields;
    if (!IgnoreError([&] { fields = CdoMessageOf(ctx, note)->Fields(); })) return reads;
    if (!fields) return reads;
    for (size_t i = 0; i < names.size(); ++i) reads[i] = ReadCdoField(*fields, names[i]);
    return reads;
  }
  ol::UserPropertiesPtr props;
  if (!IgnoreError([&] { props = note->UserProperties(); })) return reads;
  for (size_t i = 0; i < names.size(); ++i) {
    IgnoreError([&] {
      ol::UserPropertyPtr prop = Must(props).Find(names[i]);
      if (!prop) {
        reads[i].state = NoteRead::State::kAbsent;
        return;
      }
      reads[i].value = ToText(prop->Value());
      reads[i].state = NoteRead::State::kFound;
    });
  }
  return reads;
}

void WriteNoteProperty(AddinContext& ctx, const ol::ItemPtr& note, std::string_view name,
                       std::string_view value) {
  NoteValue one{std::string(name), std::string(value)};
  WriteNoteProperties(ctx, note, std::span<const NoteValue>(&one, 1));
}

void WriteNoteProperties(AddinContext& ctx, const ol::ItemPtr& note,
                         std::span<const NoteValue> values) {
  if (!note) throw ObjectRequiredError();
  if (note->Class() == ol::kDocument) {
    auto message = CdoMessageOf(ctx, note);
    auto fields = message->Fields();
    for (const NoteValue& v : values) {
      // The field is set whenever it exists: a document's user property never
      // survives a new handle on the note, so testing it alone would drop
      // every later write.
      if (auto field = TryGet([&] { return fields->Item(v.name); })) {
        field->SetValue(Variant(v.value));
      } else {
        auto props = note->UserProperties();
        if (!props->Find(v.name)) props->Add(v.name, ol::kOlText, true);
        fields->Add(v.name, 8, Variant(v.value));
      }
    }
    message->Update();
    return;
  }
  auto props = note->UserProperties();
  for (const NoteValue& v : values) {
    ol::UserPropertyPtr prop = props->Find(v.name);
    if (!prop) prop = props->Add(v.name, ol::kOlText, true);
    prop->SetValue(Variant(v.value));
  }
  note->Save();
}

}  // namespace pinlet
