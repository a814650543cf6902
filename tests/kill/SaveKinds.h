#pragma once
// The kinds of save the kill test interrupts, each a numbered sequence of
// steps made of the program's own calls, and what the program's readers
// make of a data folder. Both work on the current folder.

#include <functional>
#include <map>
#include <string>
#include <vector>

// Told the number of records a step has appended to the results log so far.
using Appended = std::function<void(int records)>;

struct SaveKind {
    const char* name;
    // Step n (from 1) of the kind; steps change their content as n grows.
    void (*step)(long n, const Appended& appended);
};

// Every kind, in the order the test takes them.
const std::vector<SaveKind>& SaveKinds();
const SaveKind* FindSaveKind(const std::string& name);

// A data folder as the program reads it.
struct FolderView {
    // Each file's bytes (or "<missing>") and, beside them, what its reader
    // makes of it.
    std::map<std::string, std::string> files;
    // Every child's results, in order, as the report reads them; dates and
    // times are kept to their shape, as they change from run to run.
    std::map<std::string, std::vector<std::string>> results;
    // The log's bytes after its last whole record (a torn append).
    std::string tail;
    // Whatever can never be right: a record of no child, an id twice or 0.
    std::string fault;
};

FolderView LookAtFolder();
