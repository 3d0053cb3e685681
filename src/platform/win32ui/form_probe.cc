#include "platform/win32ui/form_probe.h"

#include <cstring>

#include "platform/win32ui/win32_form.h"

namespace pinlet::win32ui {
namespace {

FormProbeAnswerer& Answerer() {
  static FormProbeAnswerer answerer;
  return answerer;
}

}  // namespace

void SetFormProbeAnswerer(FormProbeAnswerer answerer) {
  Answerer() = std::move(answerer);
}

UINT FormProbeMessage() {
  static const UINT message = RegisterWindowMessageW(kProbeMessage);
  return message;
}

LRESULT AnswerFormProbe(Win32Form& form, WPARAM probe, LPARAM reply) {
  auto* buffer = reinterpret_cast<ProbeReply*>(reply);
  if (!buffer) return 0;
  // The form's own description needs nothing of the add-in's.
  std::optional<std::string> text;
  if (probe == kProbeDescribeForm)
    text = form.Describe();
  else if (Answerer())
    text = Answerer()(form, static_cast<FormProbe>(probe));
  if (!text) return 0;
  buffer->length = text->size();
  if (text->size() > buffer->capacity) return 2;
  if (!text->empty()) std::memcpy(buffer->data, text->data(), text->size());
  return 1;
}

}  // namespace pinlet::win32ui
