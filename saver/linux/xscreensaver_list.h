// Adding the hack to the `programs` list of an xscreensaver settings file
// (~/.xscreensaver), as text in and text out, for corvane-saver-enable.
//
// The file is in X resource format: `name: value` lines, `!` and `#` comment
// lines and empty lines, a line ending in a backslash going on in the next.
// `programs` is one value holding one hack a line, each line ending in the
// two characters \n: optionally `-` (disabled), a visual such as `GL:`, a
// quoted name, then the command. The entry is added at the end of the list,
// so that the numbers `selected:` counts by stay the same, and as whole new
// lines wherever the file allows it; every other byte stays as it was. A
// list that already runs corvane-saver (enabled or not) is left alone. A
// file with a line that is none of the above, or with a NUL byte, is not
// xscreensaver's and is refused with the reason.
#pragma once

#include <string>

enum class ListEdit { Added, AlreadyListed, Refused };

// The entry as the README and the manual page give it.
extern const char kCorvaneEntry[];

// `text` is the file (empty for a file still to be made). On Added,
// `updated` holds the new file; on Refused, `reason` says why.
ListEdit AddCorvaneEntry(const std::string& text, std::string& updated, std::string& reason);
