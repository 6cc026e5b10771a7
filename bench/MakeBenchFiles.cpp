// Fills a directory for cli_rename_bench.sh. "names" makes COUNT empty files with names such as
// people keep: mixed case, several extensions or none, spaces, brackets, about one in six with
// letters beyond ASCII, and a few that differ from another only in letter case. The same seed
// gives the same names on every machine, so runs stay comparable. "renumber" makes n1 .. nCOUNT
// with rising modification times (so a date sort lists them in number order) and writes to
// PAIRS, NUL-separated, the renames that shift each number up by one, far end first. "tree"
// makes FOLDERS subfolders and deals COUNT such names out among them in turn, none left in the
// directory itself.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

constexpr std::uint64_t kSeed = 20240611;

const char* const kWords[] = {
    "Holiday", "IMG",    "report",  "Final",  "draft",   "Scan", "invoice", "Track",
    "photo",   "DSC",    "Meeting", "notes",  "Backup",  "song", "Chapter", "budget",
    "Summer",  "video",  "CV",      "letter", "Project", "live", "Mix",     "old",
    "Copy",    "family", "SCREEN",  "shot",   "Party",   "trip", "README",  "data"};
const char* const kForeignWords[] = {"Müller", "café",     "Ångström", "résumé",  "Straße",
                                     "Фото",   "документ", "写真",     "日本語",  "Ελλάδα",
                                     "naïve",  "Łódź",     "señor",    "Øresund", "français"};
const char* const kExtensions[] = {
    ".jpg", ".JPG", ".mp3",  ".txt", ".pdf",        ".tar.gz", ".docx", "",      ".png",
    ".Mp4", ".md",  ".flac", ".csv", ".backup.zip", ".jpeg",   "",      ".xlsx", ".HEIC"};
const char* const kSeparators[] = {" ", " ", "_", "-", " - ", ""};

template <std::size_t N>
const char* pick(std::mt19937_64& random, const char* const (&list)[N]) {
    return list[random() % N];
}

std::string makeName(std::mt19937_64& random) {
    std::string name;
    const unsigned words = 1 + static_cast<unsigned>(random() % 3);
    const bool foreign = random() % 6 == 0;
    const unsigned foreignAt = static_cast<unsigned>(random() % words);
    for (unsigned i = 0; i < words; ++i) {
        if (i > 0) {
            name += pick(random, kSeparators);
        }
        name += foreign && i == foreignAt ? pick(random, kForeignWords) : pick(random, kWords);
    }
    switch (random() % 5) {
        case 0:
            name += " (" + std::to_string(1 + random() % 12) + ")";
            break;
        case 1:
            name += " [" + std::to_string(1990 + random() % 36) + "]";
            break;
        default:
            name += pick(random, kSeparators);
            name += std::to_string(random() % 100000);
            break;
    }
    name += pick(random, kExtensions);
    return name;
}

std::string swapCase(std::string name) {
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return name;
}

int directoryOf(const char* path) {
    const int directory = ::open(path, O_RDONLY | O_DIRECTORY);
    if (directory < 0) {
        std::perror(path);
        std::exit(2);
    }
    return directory;
}

void create(int directory, const std::string& name, std::int64_t second) {
    const int fd = ::openat(directory, name.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) {
        std::perror(name.c_str());
        std::exit(2);
    }
    if (second != 0) {
        const timespec times[2] = {{second, 0}, {second, 0}};
        ::futimens(fd, times);
    }
    ::close(fd);
}

int makeNames(int directory, long count) {
    std::mt19937_64 random(kSeed);
    std::unordered_set<std::string> made;
    made.reserve(static_cast<std::size_t>(count));
    while (static_cast<long>(made.size()) < count) {
        std::string name = makeName(random);
        if (!made.insert(name).second) {
            continue;
        }
        create(directory, name, 0);
        // One name in a thousand has a twin in the other letter case.
        if (random() % 1000 == 0 && static_cast<long>(made.size()) < count) {
            std::string twin = swapCase(name);
            if (made.insert(twin).second) {
                create(directory, twin, 0);
            }
        }
    }
    return 0;
}

int makeTree(int directory, long count, long folders) {
    std::vector<int> made;
    made.reserve(static_cast<std::size_t>(folders));
    char folder[32];
    for (long i = 0; i < folders; ++i) {
        std::snprintf(folder, sizeof folder, "Folder %05ld", i);
        if (::mkdirat(directory, folder, 0755) != 0) {
            std::perror(folder);
            return 2;
        }
        made.push_back(::openat(directory, folder, O_RDONLY | O_DIRECTORY));
        if (made.back() < 0) {
            std::perror(folder);
            return 2;
        }
    }
    std::mt19937_64 random(kSeed);
    // Names repeat across folders, as they do in real trees; within one folder they are unique.
    std::vector<std::unordered_set<std::string>> taken(made.size());
    for (long i = 0; i < count; ++i) {
        const std::size_t at = static_cast<std::size_t>(i % folders);
        std::string name = makeName(random);
        while (!taken[at].insert(name).second) {
            name = makeName(random);
        }
        create(made[at], name, 0);
    }
    for (const int fd : made) {
        ::close(fd);
    }
    return 0;
}

int makeRenumbering(int directory, long count, const char* pairsPath) {
    std::FILE* pairs = std::fopen(pairsPath, "w");
    if (pairs == nullptr) {
        std::perror(pairsPath);
        return 2;
    }
    for (long i = 1; i <= count; ++i) {
        create(directory, "n" + std::to_string(i) + ".txt", 1'600'000'000 + i);
    }
    for (long i = count; i >= 1; --i) {
        std::fprintf(pairs, "n%ld.txt%cn%ld.txt%c", i, '\0', i + 1, '\0');
    }
    return std::fclose(pairs) == 0 ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    const bool tree = mode == "tree" && argc == 5;
    if (!((mode == "names" && argc == 4) || (mode == "renumber" && argc == 5) || tree)) {
        std::fprintf(stderr,
                     "usage: bench_make_files names DIRECTORY COUNT\n"
                     "       bench_make_files renumber DIRECTORY COUNT PAIRS\n"
                     "       bench_make_files tree DIRECTORY COUNT FOLDERS\n");
        return 64;
    }
    const int directory = directoryOf(argv[2]);
    const long count = std::strtol(argv[3], nullptr, 10);
    if (tree) {
        const long folders = std::strtol(argv[4], nullptr, 10);
        return folders > 0 ? makeTree(directory, count, folders) : 64;
    }
    return mode == "names" ? makeNames(directory, count)
                           : makeRenumbering(directory, count, argv[4]);
}
