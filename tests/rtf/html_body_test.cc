// The body tag of a mail's HTML, found where a browser finds it.
#include "rtf/html_body.h"

#include <gmock/gmock.h>

#include <string>

namespace pinlet {
namespace {

// What follows the body tag, or "(none)".
std::string AfterBody(const std::string& html) {
  size_t end = FindBodyTagEnd(html);
  return end == std::string::npos ? "(none)" : html.substr(end);
}

TEST(HtmlBodyTest, TheFirstRealBodyStartTag) {
  EXPECT_EQ(AfterBody("<html><body>x</body>"), "x</body>");
  EXPECT_EQ(AfterBody("<HTML><BODY class=a>x"), "x");
  EXPECT_EQ(AfterBody("<body\nstyle='a>b' onload=\"c>d\" lang=en>x"), "x");
  EXPECT_EQ(AfterBody("<body/>x"), "x");
  // Names that merely start with "body" are other elements.
  EXPECT_EQ(AfterBody("<bodyx><body-part><body>x"), "x");
  // An empty comment ends at once.
  EXPECT_EQ(AfterBody("<!--><body>x-->"), "x-->");
}

TEST(HtmlBodyTest, BodyTextWhereNoTagCanBeIsSkipped) {
  const std::string rest = "<body>real";
  for (const std::string& before :
       {std::string("<!-- <body> -->"), std::string("<!--><!---><!--<body>-->"),
        std::string("<!-- a --!><!-- <body> --!>"), std::string("<!DOCTYPE <body>"),
        std::string("<?xml <body>?>"), std::string("</x title=\"<body>\">"),
        std::string("</ <body>"),
        std::string("<title><body></title>"), std::string("<STYLE>p{}<body></style >"),
        std::string("<script>if(a</b)'<body>'</script/>"),
        std::string("<textarea></textareax><body></TEXTAREA>"),
        std::string("<noscript><body></noscript>"),
        std::string("<p title=\"<body>\" alt='<body>'>"),
        std::string("<p title = \"<body>\">"), std::string("< body>")})
    EXPECT_EQ(AfterBody(before + rest), "real") << before;
}

TEST(HtmlBodyTest, NothingIsFoundInWhatIsLeftOpen) {
  for (const char* html :
       {"", "plain text", "<body", "<body title=\"x>", "<!-- <body>", "<title><body>",
        "<script><body>", "<plaintext><body>", "<p title='<body>"})
    EXPECT_EQ(FindBodyTagEnd(html), std::string::npos) << html;
}

}  // namespace
}  // namespace pinlet
