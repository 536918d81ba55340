#pragma once

#include <string>
#include <string_view>

namespace zvk {

// The formatting that the report layouts may switch, each written as its RTF
// control text. Everything else that goes into a document is text to be shown.
enum class ControlWord
{
    Bold,         // "\b "
    BoldOff,      // "\b0 "
    Underline,    // "\ul "
    UnderlineOff, // "\ul0 "
    LargeBold,    // "\b \fs32 ": the first company line
    SmallBoldOff, // "\b0 \fs16 "
    LineBreak,    // "}{\par \fs20 ": ends the line's group, so formatting never outlives it
    PageBreak,    // "\page "
};

std::string_view ControlText(ControlWord word);

// The opening of every document: code page 1250 (the code page of all texts of the
// system), Courier New as the only font so that columns of spaces line up, and the
// group of the first line. The document breaks its pages itself, 61 lines to an A4
// sheet, so it names A4 paper and 10 points as its own size: a word processor set
// up for Letter, or an empty line that takes the default 12 points, would run a
// page over its sheet.
std::string_view DocumentProlog();

// Closes the group of the last line and the document.
std::string_view DocumentEpilog();

// Appends `text` so that it prints as typed: backslash and braces are escaped, and
// every byte above ASCII becomes a hexadecimal character of the declared code page, as
// does every control byte but the tab (a NUL of a damaged list never goes raw into the
// document).
void AppendEscapedText(std::string& out, std::string_view text);

} // namespace zvk
