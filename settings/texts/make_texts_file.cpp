// Turns the UTF-8 source of the texts file into the Windows-1253 file the program reads, with
// CRLF line ends. Any character that Windows-1253 cannot hold stops the build with its line.
// Usage: make_texts_file SOURCE.utf8.ini OUTPUT.res
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// Unicode of the bytes 0x80..0xBF; 0 marks a byte the code page leaves undefined.
const unsigned short kHighTable[64] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0,      0x2030, 0,      0x2039, 0,      0,      0,      0,       // 0x88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0,      0x2122, 0,      0x203A, 0,      0,      0,      0,       // 0x98
    0x00A0, 0x0385, 0x0386, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0,      0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015,  // 0xA8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x0384, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0388, 0x0389, 0x038A, 0x00BB, 0x038C, 0x00BD, 0x038E, 0x038F,  // 0xB8
};

// The Windows-1253 byte of a code point; -1 when there is none.
int EncodeChar(unsigned long code) {
    if (code < 0x80) {
        return static_cast<int>(code);
    }
    if (code == 0x037E) {
        return ';';  // Greek question mark, the same sign as a semicolon
    }
    if (code == 0x0387) {
        return 0xB7;  // ano teleia, shown as the middle dot
    }
    if (code >= 0x0390 && code <= 0x03CE && code != 0x03A2) {
        return static_cast<int>(code - 0x0390 + 0xC0);
    }
    for (int i = 0; i < 64; ++i) {
        if (kHighTable[i] != 0 && kHighTable[i] == code) {
            return 0x80 + i;
        }
    }
    return -1;
}

// Decodes one UTF-8 sequence at text[at]; returns its length, 0 when it is malformed.
size_t DecodeUtf8(const std::string& text, size_t at, unsigned long* code) {
    unsigned char lead = static_cast<unsigned char>(text[at]);
    size_t length = lead < 0x80         ? 1
                    : (lead >> 5) == 6  ? 2
                    : (lead >> 4) == 14 ? 3
                    : (lead >> 3) == 30 ? 4
                                        : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    unsigned long value = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        unsigned char next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (next & 0x3F);
    }
    *code = value;
    return length;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: make_texts_file SOURCE OUTPUT\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        fprintf(stderr, "make_texts_file: cannot read %s\n", argv[1]);
        return 1;
    }
    std::ostringstream whole;
    whole << in.rdbuf();
    std::string text = whole.str();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text.erase(0, 3);
    }

    std::string out;
    int line = 1;
    for (size_t at = 0; at < text.size();) {
        unsigned long code = 0;
        size_t length = DecodeUtf8(text, at, &code);
        if (length == 0) {
            fprintf(stderr, "%s:%d: malformed UTF-8\n", argv[1], line);
            return 1;
        }
        at += length;
        if (code == '\r') {
            continue;
        }
        if (code == '\n') {
            out += "\r\n";
            ++line;
            continue;
        }
        int byte = EncodeChar(code);
        if (byte < 0) {
            fprintf(stderr, "%s:%d: U+%04lX has no Windows-1253 form\n", argv[1], line, code);
            return 1;
        }
        out += static_cast<char>(byte);
    }

    std::string temp = std::string(argv[2]) + ".tmp";
    std::ofstream file(temp, std::ios::binary | std::ios::trunc);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    file.close();
    if (!file || std::rename(temp.c_str(), argv[2]) != 0) {
        fprintf(stderr, "make_texts_file: cannot write %s\n", argv[2]);
        std::remove(temp.c_str());
        return 1;
    }
    return 0;
}
