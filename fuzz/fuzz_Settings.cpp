// Any bytes read as the settings file, a few keys written, the result read again: every line
// comes back as it was, the written keys read back with the values written, and every line
// of the file that carries none of them is still there, in its order.

#include "catalogue/ShopData.h"
#include "settings/IniFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail(const char *what) {
    std::fprintf(stderr, "settings round trip: %s\n", what);
    std::abort();
}

// The file's lines without their ends, split as the settings file splits them.
std::vector<std::string> Lines(const std::string &text) {
    std::vector<std::string> out;
    std::size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            out.push_back(text.substr(start));
            break;
        }
        out.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return out;
}

// Section and key names the file can hold: no brackets, equals signs or line ends, not
// starting with a comment mark, no blanks at either end.
bool Nameable(const std::string &name) {
    return !name.empty() && name.find_first_of("[]=\r\n") == std::string::npos &&
           name.front() != ';' && name.front() != ' ' && name.front() != '\t' &&
           name.back() != ' ' && name.back() != '\t';
}

std::string Trimmed(const std::string &s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider input(data, size);
    struct Write {
        std::string section, key, value;
    };
    std::vector<Write> writes;
    const int count = input.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < count; ++i) {
        Write w{input.ConsumeRandomLengthString(12), input.ConsumeRandomLengthString(12),
                input.ConsumeRandomLengthString(40)};
        if (Nameable(w.section) && Nameable(w.key))
            writes.push_back(w);
    }
    const std::string file = input.ConsumeRemainingBytesAsString();

    IniFile ini;
    ini.Parse(file);
    if (ini.Text() != file)
        Fail("reading and writing changed the file");
    for (const Write &w : writes)
        ini.WriteString(w.section, w.key, w.value);

    const std::string written = ini.Text();
    IniFile again;
    again.Parse(written);
    for (std::size_t i = 0; i < writes.size(); ++i) {
        // A later write of the same key (names compared as the file compares them) wins.
        bool overwritten = false;
        for (std::size_t j = i + 1; j < writes.size(); ++j)
            overwritten |= CompareNames(writes[i].section, writes[j].section) == 0 &&
                           CompareNames(writes[i].key, writes[j].key) == 0;
        if (overwritten)
            continue;
        std::string expected = writes[i].value.substr(0, writes[i].value.find_first_of("\r\n"));
        expected.resize(std::min(expected.size(), IniFile::MaxValueLength));
        if (again.Value(writes[i].section, writes[i].key) != expected)
            Fail("a written key does not read back");
    }

    // The lines that carry none of the written keys are all still there, in order.
    const std::vector<std::string> before = Lines(file);
    const std::vector<std::string> after = Lines(written);
    std::size_t at = 0;
    for (const std::string &line : before) {
        const std::string text = Trimmed(line);
        const std::size_t eq = text.find('=');
        bool rewritten = false;
        if (eq != std::string::npos && !text.empty() && text.front() != ';' && text.front() != '[')
            for (const Write &w : writes)
                rewritten |= CompareNames(Trimmed(text.substr(0, eq)), w.key) == 0;
        if (rewritten)
            continue;
        while (at < after.size() && after[at] != line)
            ++at;
        if (at == after.size())
            Fail("a line of the file was lost or moved");
        ++at;
    }
    return 0;
}
