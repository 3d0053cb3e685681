// How a host in the add-in's process finds the add-in's forms and reads
// them: the test host drives the real windows as a user would, and asks the
// forms for what only the add-in knows (its description of a note window).
// Nothing C++ crosses between the modules: names are window properties
// holding NUL-terminated UTF-16 text, and a probe is a registered window
// message whose answer is UTF-8 in a buffer the asker owns.
//
// Every form window (class "PinletForm") and every control window carries
// the property kDesignNameProp: the design name ("frmComments", "Text"),
// owned by the window and valid while it exists. A probe is
// SendMessageW(form, RegisterWindowMessageW(kProbeMessage), FormProbe,
// &ProbeReply); it answers 1 with the text in the reply, 2 when the buffer
// was too small (`length` then says how many bytes are needed), and 0 when
// the form cannot answer that probe.
#ifndef PINLET_PLATFORM_WIN32UI_FORM_PROBE_H_
#define PINLET_PLATFORM_WIN32UI_FORM_PROBE_H_

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace pinlet::win32ui {

inline constexpr wchar_t kFormWindowClass[] = L"PinletForm";
inline constexpr wchar_t kDesignNameProp[] = L"Pinlet.DesignName";
inline constexpr wchar_t kProbeMessage[] = L"Pinlet.FormProbe";
// Present on a form's window while it is shown modally.
inline constexpr wchar_t kModalProp[] = L"Pinlet.Modal";

// What a probe asks (the message's WPARAM).
enum FormProbe : WPARAM {
  kProbeDescribeForm = 1,   // the form as text, as a form's description gives it
  kProbeDescribeNote = 2,   // a note window as text
  kProbeNoteKind = 3,       // ", a new note" or ", the item's note"
  kProbeNoteEditState = 4,  // "1" in the edit state, else "0"
  kProbeNoteEntryId = 5,    // the EntryID of the note shown; "" for none
};

// The asker's buffer (the message's LPARAM).
struct ProbeReply {
  char* data;       // UTF-8, not NUL-terminated
  size_t capacity;  // bytes at `data`
  size_t length;    // set by the form: bytes written, or needed
};

class Win32Form;

// Who answers the probes of the note windows: the add-in's module, which
// knows which of its windows is which. nullopt when it cannot answer
// `probe` for `form`. Set once, before forms are made; the default answers
// nothing. A form answers kProbeDescribeForm itself.
using FormProbeAnswerer =
    std::function<std::optional<std::string>(Win32Form& form, FormProbe probe)>;
void SetFormProbeAnswerer(FormProbeAnswerer answerer);

// For the form's window procedure: answers the probe message as above.
LRESULT AnswerFormProbe(Win32Form& form, WPARAM probe, LPARAM reply);
// The probe message's number in this process.
UINT FormProbeMessage();

}  // namespace pinlet::win32ui

#endif  // PINLET_PLATFORM_WIN32UI_FORM_PROBE_H_
