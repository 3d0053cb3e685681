#include "server_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <map>

#include "platform/com/served_object.h"
#include "platform/host_error.h"
#include "platform/wide_text.h"

namespace pinlet::com {
namespace {

template <typename F>
F Export(HMODULE module, const char* name) {
  FARPROC proc = GetProcAddress(module, name);
  if (!proc) ADD_FAILURE() << "the DLL does not export " << name;
  // Through the generic function type, so that the cast is not a warning.
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(proc));
}

// The host's objects the add-in reaches: Application, COMAddIns, COMAddIn.
struct ServedAddIn {
  std::string progid = "Pinlet.Connect";
  ComPtr<IDispatch> object;
};
struct ServedAddIns {
  std::shared_ptr<ServedAddIn> addin = std::make_shared<ServedAddIn>();
};
struct ServedApplication {
  std::string name;
  std::string version;
  std::shared_ptr<ServedAddIns> addins = std::make_shared<ServedAddIns>();
};

const ServedType<ServedAddIn>& ServedAddInType() {
  static const ServedType<ServedAddIn> type = [] {
    ServedType<ServedAddIn> t("COMAddIn");
    t.Get("ProgId", [](ServedAddIn& a, ServedCall& call) { call.Return(a.progid); })
        .Property(
            "Object", [](ServedAddIn& a, ServedCall& call) { call.Return(a.object); },
            [](ServedAddIn& a, ServedCall& call) { a.object = call.PutObject(); });
    return t;
  }();
  return type;
}

const ServedType<ServedAddIns>& ServedAddInsType() {
  static const ServedType<ServedAddIns> type = [] {
    ServedType<ServedAddIns> t("COMAddIns");
    t.Get("Count", [](ServedAddIns&, ServedCall& call) { call.Return(int32_t{1}); })
        .Get("Item",
             [](ServedAddIns& a, ServedCall& call) {
               if (call.args().Text(0) != a.addin->progid)
                 throw InvalidArgumentError("Item");
               call.Return(Serve(a.addin, ServedAddInType()));
             },
             {"Index"})
        .Default("Item");
    return t;
  }();
  return type;
}

const ServedType<ServedApplication>& ServedApplicationType() {
  static const ServedType<ServedApplication> type = [] {
    ServedType<ServedApplication> t("Application");
    t.Get("Name", [](ServedApplication& a, ServedCall& call) { call.Return(a.name); })
        .Get("Version",
             [](ServedApplication& a, ServedCall& call) { call.Return(a.version); })
        .Get("COMAddIns", [](ServedApplication& a, ServedCall& call) {
          call.Return(Serve(a.addins, ServedAddInsType()));
        });
    return t;
  }();
  return type;
}

std::string ValueText(DWORD type, const std::vector<BYTE>& data) {
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()),
                      data.size() / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return "sz:" + Narrow(text);
  }
  if (type == REG_DWORD && data.size() == 4) {
    DWORD value = 0;
    memcpy(&value, data.data(), 4);
    return "dword:" + std::to_string(value);
  }
  std::string hex = std::to_string(type) + ":";
  char byte[4];
  for (BYTE b : data) {
    std::snprintf(byte, sizeof byte, "%02x", b);
    hex += byte;
  }
  return hex;
}

void Snapshot(HKEY key, const std::wstring& path, std::set<std::string>* lines) {
  lines->insert("K " + Narrow(path));
  for (DWORD i = 0;; ++i) {
    wchar_t name[16384];
    DWORD name_length = 16384;
    DWORD type = 0, size = 0;
    if (RegEnumValueW(key, i, name, &name_length, nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
      break;
    std::vector<BYTE> data(size);
    name_length = 16384;
    RegEnumValueW(key, i, name, &name_length, nullptr, &type, data.data(), &size);
    data.resize(size);
    lines->insert("V " + Narrow(path) + "|" + Narrow(std::wstring(name, name_length)) +
                  "=" + ValueText(type, data));
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD name_length = 256;
    if (RegEnumKeyExW(key, i, name, &name_length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    HKEY child = nullptr;
    if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
    Snapshot(child, path + L"\\" + std::wstring(name, name_length), lines);
    RegCloseKey(child);
  }
}

}  // namespace

std::wstring TestFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.rfind(L'\\') + 1);
}

ServerDll& ServerDll::Get(const wchar_t* name) {
  static std::map<std::wstring, std::unique_ptr<ServerDll>> loaded;
  std::unique_ptr<ServerDll>& dll = loaded[name];
  if (!dll) dll.reset(new ServerDll(name));
  return *dll;
}

ServerDll::ServerDll(const wchar_t* name) {
  HMODULE module = LoadLibraryW((TestFolder() + name).c_str());
  if (!module) {
    ADD_FAILURE() << "cannot load " << Narrow(name) << " (error " << GetLastError()
                  << ")";
    std::abort();
  }
  wchar_t path[MAX_PATH];
  path_.assign(path, GetModuleFileNameW(module, path, MAX_PATH));
  get_class_object_ = Export<decltype(get_class_object_)>(module, "DllGetClassObject");
  can_unload_now_ = Export<decltype(can_unload_now_)>(module, "DllCanUnloadNow");
  register_ = Export<decltype(register_)>(module, "DllRegisterServer");
  unregister_ = Export<decltype(unregister_)>(module, "DllUnregisterServer");
}

ComPtr<IClassFactory> ServerDll::Factory() const {
  ComPtr<IClassFactory> factory;
  EXPECT_EQ(GetClassObject(CLSID_Connect, IID_IClassFactory, factory.PutVoid()), S_OK);
  return factory;
}

ComPtr<_IDTExtensibility2> ServerDll::CreateAddin() const {
  ComPtr<_IDTExtensibility2> addin;
  ComPtr<IClassFactory> factory = Factory();
  if (factory) {
    EXPECT_EQ(factory->CreateInstance(nullptr, IID__IDTExtensibility2, addin.PutVoid()),
              S_OK);
  }
  return addin;
}

FakeHost ServeFakeHost(const std::string& name) {
  auto application = std::make_shared<ServedApplication>();
  application->name = name;
  application->version = "11.0";
  FakeHost host;
  host.name = name;
  host.version = application->version;
  host.application = Serve(application, ServedApplicationType());
  host.addin = Serve(application->addins->addin, ServedAddInType());
  return host;
}

CustomValues::CustomValues(std::vector<VariantValue> values, LONG lower_bound) {
  SAFEARRAYBOUND bound{static_cast<ULONG>(values.size()), lower_bound};
  array_ = SafeArrayCreate(VT_VARIANT, 1, &bound);
  for (size_t i = 0; i < values.size(); ++i) {
    LONG index = lower_bound + static_cast<LONG>(i);
    SafeArrayPutElement(array_, &index, values[i].get());
  }
}

CustomValues::~CustomValues() {
  if (array_) SafeArrayDestroy(array_);
}

LONG CustomValues::lower_bound() const {
  LONG lower = 0;
  if (array_) SafeArrayGetLBound(array_, 1, &lower);
  return lower;
}

std::vector<VariantValue> CustomValues::Elements() const {
  std::vector<VariantValue> elements;
  if (!array_) return elements;
  LONG lower = 0, upper = -1;
  SafeArrayGetLBound(array_, 1, &lower);
  SafeArrayGetUBound(array_, 1, &upper);
  for (LONG i = lower; i <= upper; ++i) {
    VariantValue element;
    SafeArrayGetElement(array_, &i, element.get());
    elements.push_back(std::move(element));
  }
  return elements;
}

std::vector<Variant> CustomValues::Values() const {
  std::vector<Variant> values;
  for (const VariantValue& element : Elements())
    values.push_back(TryGet([&] { return ValueOf(*element.get(), "custom"); }));
  return values;
}

std::string Joined(const std::vector<Variant>& values) {
  std::string text;
  for (size_t i = 0; i < values.size(); ++i) text += (i ? "|" : "") + ToText(values[i]);
  return text;
}

std::set<std::string> RegistrySnapshot(HKEY root, const std::wstring& path) {
  std::set<std::string> lines;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return lines;
  Snapshot(key, path, &lines);
  RegCloseKey(key);
  return lines;
}

std::set<std::string> Added(const std::set<std::string>& before,
                            const std::set<std::string>& after) {
  std::set<std::string> added;
  for (const std::string& line : after)
    if (!before.count(line)) added.insert(line);
  return added;
}

std::vector<std::string> ReadLines(const std::wstring& path) {
  std::vector<std::string> lines;
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lines;
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    text.append(buffer, read);
  CloseHandle(file);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace pinlet::com
