#pragma once
// Where the console's text goes. Not a std::ostream: in the Windows build
// libstdc++'s streams and locales would make tessaline.exe several times the
// size of the program it drives.
#include <string>

namespace tsln {

class TextWriter {
public:
    virtual ~TextWriter() = default;
    virtual void Write(const std::string& text) = 0;
};

inline TextWriter& operator<<(TextWriter& out, const std::string& text) {
    out.Write(text);
    return out;
}

inline TextWriter& operator<<(TextWriter& out, const char* text) {
    out.Write(text);
    return out;
}

// Collects everything written, for callers that want the text itself.
class StringWriter : public TextWriter {
public:
    std::string text;
    void Write(const std::string& more) override { text += more; }
};

}  // namespace tsln
