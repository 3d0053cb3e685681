#include "comserver/shown_surface.h"

#include <windows.h>

#include <charconv>
#include <cstdio>
#include <map>

#include "platform/com/com_ptr.h"
#include "platform/wide_text.h"

namespace pinlet::comserver {
namespace {

constexpr const wchar_t* kVariable = L"PINLET_UI_SHOWN";
constexpr const char* kKinds[] = {"message box", "colour", "font", "open", "save"};

// Line breaks and backslashes in a value, escaped so that a value is a line.
std::string Escape(std::string_view value) {
  std::string out;
  for (char c : value) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else
      out += c;
  }
  return out;
}

std::string Unescape(std::string_view value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    char next = value[++i];
    out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
  }
  return out;
}

class Writer {
 public:
  void Put(const char* name, std::string_view value) {
    text_ += name;
    text_ += '=';
    text_ += Escape(value);
    text_ += '\n';
  }
  void Put(const char* name, int64_t value) { Put(name, std::to_string(value)); }
  void Put(const char* name, double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    Put(name, std::string_view(text));
  }
  std::string text() && { return std::move(text_); }

 private:
  std::string text_;
};

class Reader {
 public:
  explicit Reader(std::string_view text) {
    while (!text.empty()) {
      size_t end = text.find('\n');
      std::string_view line = text.substr(0, end);
      size_t equals = line.find('=');
      if (equals != std::string_view::npos)
        values_[std::string(line.substr(0, equals))] = Unescape(line.substr(equals + 1));
      text = end == std::string_view::npos ? "" : text.substr(end + 1);
    }
  }
  bool Has(const std::string& name) const { return values_.count(name); }
  std::string Text(const std::string& name) const {
    auto found = values_.find(name);
    return found == values_.end() ? "" : found->second;
  }
  int64_t Number(const std::string& name) const {
    std::string text = Text(name);
    int64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
  }
  double Real(const std::string& name) const { return std::atof(Text(name).c_str()); }

 private:
  std::map<std::string, std::string> values_;
};

}  // namespace

std::string EncodeShown(const ShownSurface& surface) {
  Writer out;
  out.Put("kind", kKinds[static_cast<int>(surface.kind)]);
  switch (surface.kind) {
    case ShownSurface::Kind::kMessageBox:
      out.Put("style", int64_t{surface.style});
      break;
    case ShownSurface::Kind::kColor: {
      const ColorDialog& d = surface.color;
      out.Put("owner", d.owner);
      out.Put("flags", int64_t{d.flags});
      out.Put("color", int64_t{d.color});
      for (size_t i = 0; i < d.custom_colors.size(); ++i)
        out.Put(("custom" + std::to_string(i)).c_str(), int64_t{d.custom_colors[i]});
      break;
    }
    case ShownSurface::Kind::kFont: {
      const FontDialog& d = surface.font;
      out.Put("owner", d.owner);
      out.Put("flags", int64_t{d.flags});
      out.Put("min", int64_t{d.min_size});
      out.Put("max", int64_t{d.max_size});
      out.Put("name", d.font.name);
      out.Put("size", d.font.size);
      out.Put("bold", int64_t{d.font.bold});
      out.Put("italic", int64_t{d.font.italic});
      out.Put("underline", int64_t{d.font.underline});
      out.Put("strikeout", int64_t{d.font.strikeout});
      out.Put("color", int64_t{d.font.color});
      break;
    }
    case ShownSurface::Kind::kOpen:
    case ShownSurface::Kind::kSave: {
      const FileDialog& d = surface.file;
      out.Put("owner", d.owner);
      out.Put("filter", d.filter);
      out.Put("index", int64_t{d.filter_index});
      out.Put("folder", d.initial_folder);
      out.Put("file", d.file_name);
      out.Put("extension", d.default_extension);
      out.Put("flags", int64_t{d.flags});
      out.Put("title", d.title);
      break;
    }
  }
  return std::move(out).text();
}

std::optional<ShownSurface> DecodeShown(std::string_view text) {
  Reader in(text);
  ShownSurface surface;
  int kind = 0;
  while (kind < 5 && in.Text("kind") != kKinds[kind]) ++kind;
  if (kind == 5) return std::nullopt;
  surface.kind = static_cast<ShownSurface::Kind>(kind);
  auto u32 = [&](const char* name) { return static_cast<uint32_t>(in.Number(name)); };
  switch (surface.kind) {
    case ShownSurface::Kind::kMessageBox:
      surface.style = static_cast<int>(in.Number("style"));
      break;
    case ShownSurface::Kind::kColor: {
      ColorDialog& d = surface.color;
      d.owner = in.Number("owner");
      d.flags = u32("flags");
      d.color = u32("color");
      for (size_t i = 0; i < d.custom_colors.size(); ++i)
        d.custom_colors[i] = u32(("custom" + std::to_string(i)).c_str());
      break;
    }
    case ShownSurface::Kind::kFont: {
      FontDialog& d = surface.font;
      d.owner = in.Number("owner");
      d.flags = u32("flags");
      d.min_size = static_cast<int>(in.Number("min"));
      d.max_size = static_cast<int>(in.Number("max"));
      d.font.name = in.Text("name");
      d.font.size = in.Real("size");
      d.font.bold = in.Number("bold");
      d.font.italic = in.Number("italic");
      d.font.underline = in.Number("underline");
      d.font.strikeout = in.Number("strikeout");
      d.font.color = u32("color");
      break;
    }
    case ShownSurface::Kind::kOpen:
    case ShownSurface::Kind::kSave: {
      FileDialog& d = surface.file;
      d.owner = in.Number("owner");
      d.filter = in.Text("filter");
      d.filter_index = static_cast<int>(in.Number("index"));
      d.initial_folder = in.Text("folder");
      d.file_name = in.Text("file");
      d.default_extension = in.Text("extension");
      d.flags = u32("flags");
      d.title = in.Text("title");
      break;
    }
  }
  return surface;
}

void NoteShown(const ShownSurface& surface) {
  SetEnvironmentVariableW(kVariable, Wide(EncodeShown(surface)).c_str());
}

void ClearShown() { SetEnvironmentVariableW(kVariable, nullptr); }

std::optional<ShownSurface> TakeShown() {
  DWORD size = GetEnvironmentVariableW(kVariable, nullptr, 0);
  if (size == 0) return std::nullopt;
  std::wstring text(size, L'\0');
  text.resize(GetEnvironmentVariableW(kVariable, text.data(), size));
  ClearShown();
  return DecodeShown(Narrow(text));
}

}  // namespace pinlet::comserver
