// Kill -9 during a save. "run" saves in an endless loop for the test to
// kill; "check" tells whether what the kill left is a state the program may
// be found in.
//
//   quoli-save-loop run KIND FOLDER FROM
//       does steps FROM+1, FROM+2, ... in FOLDER, writing "b N" on stdout
//       before step N, "a N K" once it has appended its K-th record to the
//       results log and "d N" after it.
//   quoli-save-loop check KIND FOLDER BEFORE FROM DONE BEGUN APPENDS
//       BEFORE is a copy of FOLDER as the loop found it. The steps are done
//       again there, unkilled, for the states after DONE and after BEGUN;
//       each file of FOLDER must read as it does in one of the two, and the
//       log hold at least APPENDS records of step BEGUN. Answers
//       "state N" (the step FOLDER is at) and "tail HEX" (a torn append).

#include "kill/SaveKinds.h"

#include "app/DataFolder.h"
#include "resources/StringTable.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

namespace {

void Say(const std::string& line)
{
    std::string text = line + "\n";
    // Unbuffered: what was said before the kill must reach the test.
    if (::write(1, text.data(), text.size()) < 0)
        std::exit(3);
}

bool IsPrefix(const std::vector<std::string>& part, const std::vector<std::string>& whole)
{
    return part.size() <= whole.size() && std::equal(part.begin(), part.end(), whole.begin());
}

struct Verdict {
    std::string faults;
    bool movedOn = false;      // something is past the state before
    bool stillBefore = false;  // something the step changes is as it was
    std::size_t newRecords = 0;
};

template <typename T>
const T& Get(const std::map<std::string, T>& map, const std::string& key)
{
    static const T none{};
    auto it = map.find(key);
    return it == map.end() ? none : it->second;
}

template <typename T>
std::set<std::string> Keys(const std::map<std::string, T>& a, const std::map<std::string, T>& b, const std::map<std::string, T>& c)
{
    std::set<std::string> keys;
    for (const auto* map : {&a, &b, &c})
        for (const auto& [key, value] : *map)
            keys.insert(key);
    return keys;
}

Verdict Compare(const FolderView& found, const FolderView& before, const FolderView& after)
{
    Verdict v;
    for (const std::string& key : Keys(found.files, before.files, after.files)) {
        const std::string &f = Get(found.files, key), &b = Get(before.files, key), &a = Get(after.files, key);
        if (f != b && f != a)
            v.faults += key + ": " + std::to_string(f.size()) + " bytes, neither the " + std::to_string(b.size()) +
                        " before nor the " + std::to_string(a.size()) + " after\n";
        v.movedOn = v.movedOn || f != b;
        v.stillBefore = v.stillBefore || (f == b && f != a);
    }
    for (const std::string& child : Keys(found.results, before.results, after.results)) {
        const auto &f = Get(found.results, child), &b = Get(before.results, child), &a = Get(after.results, child);
        if (f == b) {
            v.stillBefore = v.stillBefore || f != a;
            continue;
        }
        v.movedOn = true;
        // Records go in one append at a time: a kill may leave any prefix of
        // what the step appends, but never less than it had appended.
        bool appending = IsPrefix(b, a);
        if (f == a || (appending && IsPrefix(f, a) && f.size() > b.size()))
            v.newRecords += appending ? f.size() - b.size() : 0;
        else
            v.faults += child + "'s results: " + std::to_string(f.size()) + " records, neither the " +
                        std::to_string(b.size()) + " before, the " + std::to_string(a.size()) + " after nor between\n";
    }
    return v;
}

// The kill let go of the data folder's lock: the next copy takes it at once.
bool LockIsFree()
{
    int fd = ::open("DATA/QUOLI.LCK", O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return true;  // never made
    bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

std::string Hex(const std::string& bytes)
{
    std::string hex;
    char two[3];
    for (unsigned char c : bytes) {
        std::snprintf(two, sizeof two, "%02x", c);
        hex += two;
    }
    return hex.empty() ? "-" : hex;
}

int Run(const SaveKind& kind, long from)
{
    for (long n = from + 1;; ++n) {
        Say("b " + std::to_string(n));
        kind.step(n, [n](int records) { Say("a " + std::to_string(n) + " " + std::to_string(records)); });
        Say("d " + std::to_string(n));
    }
}

int Check(const SaveKind& kind, const std::string& folder, const std::string& copy, long from, long done, long begun,
          std::size_t appends)
{
    if (::chdir(folder.c_str()) != 0 || !LockIsFree()) {
        Say("the data folder's lock is still held");
        return 1;
    }
    FolderView found = LookAtFolder();
    if (::chdir(copy.c_str()) != 0)
        return 2;
    auto quiet = [](int) {};
    for (long n = from + 1; n <= done; ++n)
        kind.step(n, quiet);
    FolderView before = LookAtFolder();
    if (begun > done)
        kind.step(begun, quiet);
    FolderView after = begun > done ? LookAtFolder() : before;

    Verdict v = Compare(found, before, after);
    if (v.newRecords < appends)
        v.faults += std::to_string(appends) + " records were appended, " + std::to_string(v.newRecords) + " are there\n";
    v.faults += found.fault + before.fault + after.fault;
    if (!v.faults.empty()) {
        Say(v.faults);
        return 1;
    }
    Say("state " + std::to_string(!v.movedOn || v.stillBefore ? done : begun));
    Say("tail " + Hex(found.tail));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string mode = argc > 1 ? argv[1] : "";
    const SaveKind* kind = argc > 2 ? FindSaveKind(argv[2]) : nullptr;
    bool run = mode == "run" && argc == 5, check = mode == "check" && argc == 9;
    if (!kind || !(run || check)) {
        std::fprintf(stderr, "usage: %s run KIND FOLDER FROM | check KIND FOLDER BEFORE FROM DONE BEGUN APPENDS\n", argv[0]);
        return 2;
    }
    auto strings = LoadStringTable(std::string(QUOLI_STAGE_DIR) + "/quoli.str");
    InstallStringTable(strings.get());
    theDataPrefix.clear();
    if (run)
        return ::chdir(argv[3]) == 0 ? Run(*kind, std::atol(argv[4])) : 2;
    return Check(*kind, argv[3], argv[4], std::atol(argv[5]), std::atol(argv[6]), std::atol(argv[7]),
                 static_cast<std::size_t>(std::atol(argv[8])));
}
