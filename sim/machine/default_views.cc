// The standard views Outlook gives each kind of folder, with plausible view XML.
#include <string>

#include "sim/machine/mail_store.h"

namespace pinlet::sim {
namespace {

struct Column {
  const char* heading;
  const char* prop;
  const char* type;
};

const Column kMailColumns[] = {
    {"From", "urn:schemas:httpmail:fromname", "string"},
    {"Subject", "urn:schemas:httpmail:subject", "string"},
    {"Received", "urn:schemas:httpmail:datereceived", "datetime"},
    {"Size",
     "http://schemas.microsoft.com/mapi/id/{00020328-0000-0000-C000-000000000046}/"
     "8ff00003",
     "i4"},
};
const Column kContactColumns[] = {
    {"Full Name", "urn:schemas:contacts:cn", "string"},
    {"Company", "urn:schemas:contacts:o", "string"},
    {"Business Phone", "urn:schemas:contacts:officetelephonenumber", "string"},
};
const Column kTaskColumns[] = {
    {"Subject", "urn:schemas:httpmail:subject", "string"},
    {"Due Date",
     "http://schemas.microsoft.com/mapi/id/{00062003-0000-0000-C000-000000000046}/"
     "81050040",
     "datetime"},
};
const Column kGenericColumns[] = {
    {"Subject", "urn:schemas:httpmail:subject", "string"},
    {"Modified", "DAV:getlastmodified", "datetime"},
};

template <size_t N>
std::string TableXml(std::string_view name, const Column (&columns)[N],
                     std::string_view filter) {
  std::string xml = "<?xml version=\"1.0\"?>\r\n<view type=\"table\">\r\n";
  if (!filter.empty()) xml += "    <filter>" + std::string(filter) + "</filter>\r\n";
  xml += "    <viewname>" + std::string(name) + "</viewname>\r\n";
  xml +=
      "    <viewstyle>table-layout:fixed;width:100%;font-family:Tahoma;font-style:normal;"
      "font-weight:normal;font-size:8pt;color:Black;font-charset:0</viewstyle>\r\n"
      "    <viewtime>0</viewtime>\r\n    <linecolor>8421504</linecolor>\r\n"
      "    <linestyle>3</linestyle>\r\n    <usequickflags>1</usequickflags>\r\n"
      "    <column>\r\n        <name>HREF</name>\r\n        <prop>DAV:href</prop>\r\n"
      "        <checkbox>1</checkbox>\r\n    </column>\r\n";
  for (const Column& c : columns) {
    xml += "    <column>\r\n        <heading>" + std::string(c.heading) +
           "</heading>\r\n        <prop>" + c.prop + "</prop>\r\n        <type>" +
           c.type + "</type>\r\n        <width>120</width>\r\n    </column>\r\n";
  }
  xml += "</view>\r\n";
  return xml;
}

std::string OtherXml(std::string_view type, std::string_view name) {
  return "<?xml version=\"1.0\"?>\r\n<view type=\"" + std::string(type) +
         "\">\r\n    <viewname>" + std::string(name) + "</viewname>\r\n</view>\r\n";
}

std::string TableXmlFor(int kind, std::string_view name, std::string_view filter = "") {
  switch (kind) {
    case 10:
      return TableXml(name, kContactColumns, filter);
    case 13:
      return TableXml(name, kTaskColumns, filter);
    case 3:
    case 4:
    case 5:
    case 6:
    case 16:
      return TableXml(name, kMailColumns, filter);
    default:
      return TableXml(name, kGenericColumns, filter);
  }
}

}  // namespace

std::string NewViewXml(int folder_kind, std::string_view view_name, int view_type) {
  switch (view_type) {
    case 0:
      return TableXmlFor(folder_kind, view_name);
    case 1:
      return OtherXml("card", view_name);
    case 2:
      return OtherXml("calendar", view_name);
    case 3:
      return OtherXml("timeline", view_name);
    default:
      return OtherXml("icon", view_name);
  }
}

std::vector<ViewNode> DefaultViews(int kind) {
  auto table = [&](const char* name, const char* filter = "") {
    return ViewNode{name, 0, TableXmlFor(kind, name, filter), 0};
  };
  auto other = [&](const char* name, int type) {
    return ViewNode{name, type, NewViewXml(kind, name, type), 0};
  };
  switch (kind) {
    case 9:
      return {other("Day/Week/Month", 2), table("Active Appointments"), table("Events")};
    case 10:
      return {other("Address Cards", 1), other("Detailed Address Cards", 1),
              table("Phone List")};
    case 11:
      return {other("By Type", 3), table("Entry List")};
    case 12:
      return {other("Icons", 4), table("Notes List")};
    case 13:
      return {table("Simple List"), table("Detailed List")};
    default:
      return {table("Messages"), table("Messages with AutoPreview"),
              table("Unread Messages", "&quot;urn:schemas:httpmail:read&quot; = 0"),
              table("Last Seven Days",
                    "%last7days(&quot;urn:schemas:httpmail:datereceived&quot;)%")};
  }
}

}  // namespace pinlet::sim
