// The hack's entry in an xscreensaver `programs` list; see xscreensaver_list.h.
#include "saver/linux/xscreensaver_list.h"

#include <cctype>
#include <vector>

const char kCorvaneEntry[] = "GL: corvane-saver --root";

namespace {

// One physical line: [begin, end) without its newline.
struct Line {
    size_t begin;
    size_t end;
};

// A line ending in an odd number of backslashes goes on in the next.
bool Continues(const std::string& text, const Line& line) {
    size_t backslashes = 0;
    for (size_t at = line.end; at > line.begin && text[at - 1] == '\\'; --at) ++backslashes;
    return backslashes % 2 == 1;
}

bool Blank(const std::string& text, size_t begin, size_t end) {
    for (size_t at = begin; at < end; ++at)
        if (!std::isspace(static_cast<unsigned char>(text[at]))) return false;
    return true;
}

// The resource name of a `name: value` line starting at `at`, or empty.
std::string ResourceName(const std::string& text, size_t at, size_t end) {
    const size_t start = at;
    while (at < end && (std::isalnum(static_cast<unsigned char>(text[at])) || text[at] == '_' ||
                        text[at] == '-' || text[at] == '.' || text[at] == '*' || text[at] == '?'))
        ++at;
    const size_t nameEnd = at;
    while (at < end && (text[at] == ' ' || text[at] == '\t')) ++at;
    if (nameEnd == start || at == end || text[at] != ':') return std::string();
    return text.substr(start, nameEnd - start);
}

// `programs`, alone or qualified (`xscreensaver.programs`, `*programs`).
bool NamesPrograms(const std::string& name) {
    const size_t dot = name.find_last_of(".*");
    return (dot == std::string::npos ? name : name.substr(dot + 1)) == "programs";
}

// Whether one entry of the list runs corvane-saver, by whatever path.
bool RunsCorvane(const std::string& entry) {
    size_t at = 0;
    const auto skipSpace = [&] {
        while (at < entry.size() && std::isspace(static_cast<unsigned char>(entry[at]))) ++at;
    };
    skipSpace();
    if (at < entry.size() && entry[at] == '-') ++at;
    skipSpace();
    size_t word = at;
    while (word < entry.size() && (std::isalnum(static_cast<unsigned char>(entry[word])) || entry[word] == '-'))
        ++word;
    if (word > at && word < entry.size() && entry[word] == ':') at = word + 1;  // the visual
    skipSpace();
    if (at < entry.size() && entry[at] == '"') {  // the name shown
        const size_t close = entry.find('"', at + 1);
        if (close == std::string::npos) return false;
        at = close + 1;
        skipSpace();
    }
    size_t end = at;
    while (end < entry.size() && !std::isspace(static_cast<unsigned char>(entry[end]))) ++end;
    const std::string command = entry.substr(at, end - at);
    const size_t slash = command.rfind('/');
    return (slash == std::string::npos ? command : command.substr(slash + 1)) == "corvane-saver";
}

bool ListsCorvane(const std::string& value) {
    size_t start = 0;
    for (;;) {
        const size_t next = value.find("\\n", start);
        if (RunsCorvane(value.substr(start, next == std::string::npos ? std::string::npos : next - start)))
            return true;
        if (next == std::string::npos) return false;
        start = next + 2;
    }
}

// Whether the list so far needs a \n before another entry goes on it.
bool NeedsSeparator(const std::string& value) {
    size_t end = value.size();
    while (end > 0 && std::isspace(static_cast<unsigned char>(value[end - 1]))) --end;
    return end > 0 && !(end >= 2 && value.compare(end - 2, 2, "\\n") == 0);
}

}  // namespace

ListEdit AddCorvaneEntry(const std::string& text, std::string& updated, std::string& reason) {
    if (text.find('\0') != std::string::npos) {
        reason = "it holds a NUL byte, which no xscreensaver settings file does";
        return ListEdit::Refused;
    }
    std::vector<Line> lines;
    for (size_t begin = 0;;) {
        const size_t newline = text.find('\n', begin);
        lines.push_back({begin, newline == std::string::npos ? text.size() : newline});
        if (newline == std::string::npos) break;
        begin = newline + 1;
    }

    // The last `programs` resource wins, as when X reads the file: its lines
    // [first, last] and its text with the continuations taken out.
    bool found = false;
    size_t last = 0;
    std::string value;
    for (size_t i = 0; i < lines.size(); ++i) {
        size_t at = lines[i].begin;
        while (at < lines[i].end && (text[at] == ' ' || text[at] == '\t')) ++at;
        if (at == lines[i].end || text[at] == '!' || text[at] == '#') continue;
        const std::string name = ResourceName(text, at, lines[i].end);
        if (name.empty()) {
            reason = "line " + std::to_string(i + 1) + " is not \"name: value\", a comment or empty";
            return ListEdit::Refused;
        }
        std::string joined;
        size_t j = i;
        for (;; ++j) {
            const bool goesOn = Continues(text, lines[j]) && j + 1 < lines.size();
            joined.append(text, lines[j].begin, lines[j].end - lines[j].begin - (goesOn ? 1 : 0));
            if (!goesOn) break;
        }
        if (NamesPrograms(name)) {
            found = true;
            last = j;
            value = joined.substr(joined.find(':') + 1);
        }
        i = j;
    }

    if (found && ListsCorvane(value)) return ListEdit::AlreadyListed;
    const std::string entryLine = std::string("  GL: \t\t\t\tcorvane-saver --root\t\t\t    \\n");
    updated = text;
    if (!found) {
        if (!text.empty() && text.back() != '\n') updated += '\n';
        // A last line that goes on into the end of the file is ended first.
        const size_t count = lines.size();
        if (count >= 2 && lines[count - 1].begin == text.size() && Continues(text, lines[count - 2])) updated += '\n';
        updated += "programs:\t\t\t\t\t\t\t\t      \\\n" + entryLine + "\\\n\n";
        return ListEdit::Added;
    }
    const std::string separator = NeedsSeparator(value) ? "\\n" : "";
    const Line& end = lines[last];
    if (Blank(text, end.begin, end.end) && last > 0 && Continues(text, lines[last - 1])) {
        // The list ends in a continued empty line, as xscreensaver writes it:
        // the entry goes in as whole lines before that one.
        const std::string inserted = (separator.empty() ? "" : separator + "\\\n") + entryLine + "\\\n";
        updated.insert(end.begin, inserted);
    } else {
        updated.insert(end.end, separator + "\\\n" + entryLine);
    }
    return ListEdit::Added;
}
