// SPDX-License-Identifier: MIT
// exec libraries: the ones this program opens, each answering with its version. A library's
// functions are plain calls here; the Library node is what callers check and close.
#include "platform/exec/State.h"

#include <cstring>

namespace amiga {

namespace {

struct KnownLibrary {
    const char* name;
    UWORD version;
    UWORD revision;
};

// The desktop's release these stand in for.
constexpr KnownLibrary kKnownLibraries[] = {
    {"exec.library", 41, 1},     {"dos.library", 41, 1},      {"utility.library", 41, 1},  {"intuition.library", 41, 1},
    {"graphics.library", 41, 1}, {"gadtools.library", 41, 1}, {"locale.library", 41, 1},   {"keymap.library", 41, 1},
    {"diskfont.library", 41, 1}, {"asl.library", 41, 1},      {"iffparse.library", 41, 1}, {"workbench.library", 45, 1},
};

const KnownLibrary* FindKnown(const char* name)
{
    for (const auto& known : kKnownLibraries) {
        if (std::strcmp(known.name, name) == 0) {
            return &known;
        }
    }
    return nullptr;
}

} // namespace

Library* OpenLibrary(CONST_STRPTR libName, ULONG version)
{
    if (libName == nullptr) {
        return nullptr;
    }
    const KnownLibrary* known = FindKnown(libName);
    auto& exec = internal::Exec();
    if (known == nullptr || version > known->version || exec.missingLibraries.count(libName) != 0) {
        return nullptr;
    }
    auto& slot = exec.libraries[libName];
    if (!slot) {
        slot = std::make_unique<Library>();
        slot->lib_Node.ln_Type = NT_LIBRARY;
        slot->lib_Node.ln_Name = const_cast<char*>(known->name);
        slot->lib_Version = known->version;
        slot->lib_Revision = known->revision;
    }
    ++slot->lib_OpenCnt;
    return slot.get();
}

void CloseLibrary(Library* library)
{
    if (library != nullptr && library->lib_OpenCnt > 0) {
        --library->lib_OpenCnt;
    }
}

} // namespace amiga
