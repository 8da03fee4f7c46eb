#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "download/checksum.h"

// Joins the part files of a package into the first one while the later parts
// are still arriving, and takes the package's MD5 on the way, so that neither
// is left for after the last byte. Part files are only ever appended to, so
// every byte already on disk is final. The parts are taken in package order:
// the first is only hashed (it is where the others go); a later part is copied
// onto its end once every part before it is whole.
class PartJoiner {
public:
    struct Part {
        std::string path;
        int64_t size;
    };
    PartJoiner(std::vector<Part> parts, bool checksum);
    ~PartJoiner();
    PartJoiner(const PartJoiner&) = delete;
    PartJoiner& operator=(const PartJoiner&) = delete;

    // Takes in what the part files hold beyond what is taken already.
    void CatchUp();
    // Once every part ended whole: takes in the rest; true when the first
    // part file then holds the whole package.
    bool Complete();
    // The package's MD5 (32 lowercase hexadecimal digits) after Complete;
    // empty when none was asked for or it could not be taken.
    std::string Checksum();
    // After a failed part: cuts the first part file back to its own range, so
    // that every range resumes from what its own file holds. False when the
    // file could not be cut.
    bool Undo();

private:
    void CloseSource();
    bool CloseTarget();

    std::vector<Part> parts;
    size_t current = 0;  // the part being taken in
    int64_t offset = 0;  // bytes of it taken in
    FILE* source = nullptr;
    FILE* target = nullptr;  // the first part file, once later parts go onto it
    bool appended = false;
    bool failed = false;
    std::unique_ptr<Md5Stream> md5;
};
