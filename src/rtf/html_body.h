// Where an HTML document's body starts, as a browser's parser sees it.
//
// A mail's HTML is written by its sender, so the text "<body" can stand
// where it is no tag at all: in a comment ("<!-- <body> -->"), in the text of
// a script, style, title or text area, or inside an attribute value
// (<p title="<body>">). Only the first real <body ...> start tag counts.
#ifndef PINLET_RTF_HTML_BODY_H_
#define PINLET_RTF_HTML_BODY_H_

#include <string>
#include <string_view>

namespace pinlet {

// The position just after the ">" that closes the first body start tag of
// `html` (its name in any case), skipping comments, declarations, processing
// instructions, end tags, attribute values and the raw text of script,
// style, title, textarea, xmp, iframe, noembed, noframes and noscript
// elements; std::string::npos when there is none, or when a comment, raw
// text, quoted value or the body tag itself is left unclosed.
size_t FindBodyTagEnd(std::string_view html);

}  // namespace pinlet

#endif  // PINLET_RTF_HTML_BODY_H_
