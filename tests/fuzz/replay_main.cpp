// profile_fuzz_replay.exe: the profile fuzz cases on the real platform. Runs
// every file of the corpus folder, then a deterministic mutation of each
// for the given number of rounds (type and number edges, unterminated
// texts, odd lengths), from a program folder of its own.
//   profile_fuzz_replay.exe CORPUS_DIR [ROUNDS]
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "core/app_state.h"
#include "platform/paths.h"
#include "core/profile.h"
#include "tests/fuzz/profile_fuzz.h"
#include "tests/support/process.h"

static unsigned Seed = 2024;

static unsigned Next(unsigned n)
{
    Seed = Seed * 1103515245u + 12345u;
    return (Seed >> 8) % n;
}

static const int32_t Edges[] = { INT32_MIN, -1, 0, 1, 31, 32, 60, 65, 66, 109, 110, 0x7FFFFFFF };

static void Mutate(std::string& b)
{
    switch (Next(5)) {
    case 0:    // a record field takes an edge value
        if (b.size() >= 4) {
            size_t at = Next((unsigned)(b.size() / 4)) * 4;
            int32_t v = Edges[Next(sizeof Edges / sizeof Edges[0])];
            memcpy(&b[at], &v, 4);
        }
        break;
    case 1:    // a run of bytes without a terminator
        if (!b.empty()) {
            size_t at = Next((unsigned)b.size());
            size_t n = Next(300);
            for (size_t i = at; i < b.size() && i < at + n; ++i)
                b[i] = (char)('A' + Next(26));
        }
        break;
    case 2:    // random bytes
        for (int i = 0; i < 16 && !b.empty(); ++i)
            b[Next((unsigned)b.size())] = (char)Next(256);
        break;
    case 3: {  // another length, around the profile's size or small
        const size_t sizes[] = { 0, 1, 511, 512, ProfileSize - 1, ProfileSize, ProfileSize + 1 };
        b.resize(sizes[Next(sizeof sizes / sizeof sizes[0])], '\0');
        break;
    }
    default:   // a slot type of the catalogue
        if (b.size() >= 512) {
            int32_t t = (int32_t)Next(70) - 2;
            if (t == 28 || t == 29)
                t = 0;
            memcpy(&b[Next((unsigned)(b.size() / 512)) * 512], &t, 4);
        }
        break;
    }
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    int rounds = argc > 2 ? atoi(argv[2]) : 200;
    std::string corpus = argv[1];
    if (corpus[0] == '/')    // a Linux path, as CTest hands it: Wine's drive Z:
        corpus = "Z:" + corpus;
    for (char& c : corpus)
        c = c == '/' ? '\\' : c;
    if (corpus.back() != '\\')
        corpus += '\\';
    std::string dir = MakeTempDir("fuzz");
    lstrcpynW(ProgramDir, Utf16(dir).c_str(), ProgramDirSize);

    std::vector<std::string> seeds;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((corpus + "*").c_str(), &fd);
    while (h != INVALID_HANDLE_VALUE) {
        std::string bytes;
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            ReadWholeFile(corpus + fd.cFileName, &bytes))
            seeds.push_back(bytes);
        if (!FindNextFileA(h, &fd))
            break;
    }
    FindClose(h);
    if (seeds.empty()) {
        fprintf(stderr, "no corpus in %s\n", corpus.c_str());
        return 2;
    }
    int cases = 0;
    for (const std::string& s : seeds) {
        RunProfileCase((const uint8_t*)s.data(), s.size());
        ++cases;
    }
    for (int r = 0; r < rounds; ++r) {
        std::string b = seeds[Next((unsigned)seeds.size())];
        int n = 1 + (int)Next(4);
        for (int i = 0; i < n; ++i)
            Mutate(b);
        RunProfileCase((const uint8_t*)b.data(), b.size());
        ++cases;
    }
    printf("%d profile cases passed\n", cases);
    RemoveTree(dir);
    return 0;
}
