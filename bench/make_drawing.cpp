// Writes a synthetic drawing of about the given size: "temp.txt", a table "bench.mse" that
// replaces, removes and expands some of its texts, and "part.mse", ten rows that replace parts of
// texts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Shift-JIS words: 会議室, 倉庫, 廊下, 設計, 表示, 第一会議室, 平面図. The table matches the
// first three, which stand in about one text record in twelve.
const char* const kWords[] = {
    "\x89\xEF\x8B\x63\x8E\xBA", "\x91\x71\x8C\xC9", "\x98\x4C\x89\xBA",
    "\x90\xDD\x8C\x76",         "\x95\x5C\x8E\xA6", "\x91\xE6\x88\xEA\x89\xEF\x8B\x63\x8E\xBA",
    "\x95\xBD\x96\xCA\x90\x7D",
};
constexpr int kWordCount = sizeof kWords / sizeof kWords[0];

int PickWord(uint32_t n) {
    const uint32_t slot = n % 36;
    return slot < 3 ? static_cast<int>(slot) : 3 + static_cast<int>(slot % (kWordCount - 3));
}

struct Random {
    uint64_t state = 0x9E3779B97F4A7C15u;
    uint32_t Next() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<uint32_t>(state >> 32);
    }
};

void WriteTable() {
    std::FILE* table = std::fopen("bench.mse", "wb");
    std::fprintf(table, "%s ---> %s\r\n", kWords[0], kWords[5]);                 // replaced
    std::fprintf(table, "%s ---> \r\n", kWords[1]);                              // removed
    std::fprintf(table, "%s ---> %s//%s\r\n", kWords[2], kWords[2], kWords[3]);  // two lines
    for (int r = 3; r < 10; ++r) {
        std::fputs(" ---> \r\n", table);
    }
    std::fclose(table);
}

// Ten rows, as for copying a floor's plan: 会議 → 打合せ and 倉庫 → 物置 stand in about one text in
// six, 1F, EV, PS, B-, X1, 北, 階段 and 便所 nowhere.
void WritePartTable() {
    std::FILE* table = std::fopen("part.mse", "wb");
    std::fputs(
        "\x89\xEF\x8B\x63 ---> \x91\xC5\x8D\x87\x82\xB9\r\n"
        "\x91\x71\x8C\xC9 ---> \x95\xA8\x92\x75\r\n"
        "1F ---> 2F\r\nEV ---> E\r\nPS ---> P\r\nB- ---> C-\r\nX1 ---> X2\r\n"
        "\x96\x6B ---> \x93\xEC\r\n\x8A\x4B\x92\x69 ---> \x8A\x4B\r\n"
        "\x95\xD6\x8F\x8A ---> WC\r\n#options match=part\r\n",
        table);
    std::fclose(table);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: vosk1-make-drawing MEGABYTES\n", stderr);
        return 2;
    }
    const long long target = std::atoll(argv[1]) * 1000000LL;
    WriteTable();
    WritePartTable();
    std::FILE* drawing = std::fopen("temp.txt", "wb");
    long long written = std::fprintf(drawing,
                                     "hq\r\nhcw 2 2.5 3 3.5 4 5 6 7 8 10\r\n"
                                     "hch 2 2.5 3 3.5 4 5 6 7 8 10\r\n"
                                     "hs 100 50 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\n");
    Random random;
    while (written < target) {
        const uint32_t n = random.Next();
        const int x = static_cast<int>(n % 100000);
        const int y = static_cast<int>((n >> 8) % 100000);
        switch (n % 16) {
            case 0:
                written += std::fprintf(drawing, "lg%x\r\ncn%d\r\n", (n >> 8) % 16, (n >> 4) % 11);
                break;
            case 1:
            case 2:
            case 3:
                written +=
                    std::fprintf(drawing, "ln %d.%03d %d %d %d.5\r\n", x, n % 1000, y, x + 100, y);
                break;
            default:
                written +=
                    std::fprintf(drawing, "ch %d.%03d %d.25 1 0 \"%s%s\r\n", x, n % 1000, y,
                                 kWords[PickWord(n >> 20)], (n >> 24) % 4 == 0 ? "" : " A-12");
        }
    }
    std::fclose(drawing);
    return 0;
}
