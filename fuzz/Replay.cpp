// Without libFuzzer (gcc builds, CTest): feeds every file of the given folders, and every entry of the
// given dictionaries (each alone, then all of them joined), to the fuzz target once.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

void feed(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

std::optional<std::string> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The quoted value of a dictionary line (name="value", with \\, \" and \xNN escapes), if it has one.
std::optional<std::string> dictionaryEntry(const std::string& line) {
    const std::size_t open = line.find('"');
    const std::size_t close = line.rfind('"');
    if (line.empty() || line[0] == '#' || open == std::string::npos || close <= open) return std::nullopt;
    std::string value;
    for (std::size_t i = open + 1; i < close; ++i) {
        if (line[i] != '\\' || i + 1 >= close) {
            value += line[i];
        } else if (line[i + 1] == 'x' && i + 3 < close && hexDigit(line[i + 2]) >= 0 &&
                   hexDigit(line[i + 3]) >= 0) {
            value += static_cast<char>(hexDigit(line[i + 2]) * 16 + hexDigit(line[i + 3]));
            i += 3;
        } else {
            value += line[++i];
        }
    }
    return value;
}

} // namespace

int main(int argc, char** argv) {
    int inputs = 0;
    for (int a = 1; a < argc; ++a) {
        const fs::path path(argv[a]);
        std::error_code error;
        if (fs::is_directory(path, error)) {
            std::vector<fs::path> files;
            for (const fs::directory_entry& entry : fs::directory_iterator(path))
                if (entry.is_regular_file()) files.push_back(entry.path());
            std::sort(files.begin(), files.end());
            for (const fs::path& file : files) {
                const std::optional<std::string> bytes = readFile(file);
                if (!bytes) {
                    std::fprintf(stderr, "cannot read %s\n", file.c_str());
                    return 1;
                }
                feed(*bytes);
                ++inputs;
            }
        } else if (path.extension() == ".dict") {
            const std::optional<std::string> text = readFile(path);
            if (!text) {
                std::fprintf(stderr, "cannot read %s\n", path.c_str());
                return 1;
            }
            std::istringstream lines(*text);
            std::string line;
            std::string joined;
            while (std::getline(lines, line)) {
                if (const std::optional<std::string> entry = dictionaryEntry(line)) {
                    feed(*entry);
                    joined += *entry;
                    ++inputs;
                }
            }
            feed(joined);
            ++inputs;
        } else if (const std::optional<std::string> bytes = readFile(path)) {
            feed(*bytes);
            ++inputs;
        } else {
            std::fprintf(stderr, "cannot read %s\n", path.c_str());
            return 1;
        }
    }
    std::printf("replayed %d inputs\n", inputs);
    // An empty corpus replays nothing: most likely a wrong path, not a pass.
    return inputs > 0 ? 0 : 1;
}
