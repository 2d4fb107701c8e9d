// SPDX-License-Identifier: MIT
// iffparse.library's reader. The open chunks form a stack of contexts; each knows its size
// and how much of it has been read, so nothing is ever read beyond the chunk that holds it,
// and every size is checked against its parent (the file's own size at the top) before it is
// believed. Properties live in the innermost FORM or LIST around the chunk that held them and
// go away with it.
#include "platform/iffparse/IffParse.h"

#include "platform/dos/Dos.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <new>
#include <vector>

namespace amiga {

namespace {

struct Property {
    LONG type = 0;
    LONG id = 0;
    std::vector<UBYTE> data;
    StoredProperty stored;
};

struct Context : ContextNode {
    Context* parent = nullptr;
    bool isGroup = false;
    bool entered = false;      // its handlers ran (or the client saw it)
    bool exitReported = false; // IFFERR_EOC already returned for it
    // unique_ptr: a StoredProperty handed out keeps its address while the scope lives.
    std::vector<std::unique_ptr<Property>> properties;
};

struct Handler {
    LONG type;
    LONG id;
    bool stop;
};

struct Parser : IFFHandle {
    bool dos = false;
    bool open = false;
    // Once the stream is out of step with the contexts, every later call reports the same.
    LONG error = 0;
    std::vector<std::unique_ptr<Context>> stack;
    std::vector<Handler> handlers;
    // OpenIFF read the outermost header; the first ParseIFF enters it.
    bool headerPending = false;
    LONG pendingId = 0;
    ULONG pendingSize = 0;
    // Bytes the stream holds from where OpenIFF started (-1: unknown), and bytes used so far.
    int64_t streamSize = -1;
    int64_t rootScan = 0;
};

Parser* ParserOf(IFFHandle* iff)
{
    return static_cast<Parser*>(iff);
}

bool IsGroup(LONG id)
{
    return id == ID_FORM || id == ID_LIST || id == ID_CAT || id == ID_PROP;
}

// Four printable ASCII characters, the first not a space.
bool GoodId(LONG id)
{
    const auto bits = static_cast<ULONG>(id);
    for (int shift = 24; shift >= 0; shift -= 8) {
        const ULONG c = (bits >> shift) & 0xFF;
        if (c < 0x20 || c > 0x7E) {
            return false;
        }
    }
    return ((bits >> 24) & 0xFF) != ' ';
}

// A FORM's or PROP's type names its contents: a real identifier, not a group's.
bool GoodFormType(LONG type)
{
    return GoodId(type) && !IsGroup(type);
}

ULONG BigEndian(const UBYTE* bytes)
{
    return (ULONG{bytes[0]} << 24) | (ULONG{bytes[1]} << 16) | (ULONG{bytes[2]} << 8) | ULONG{bytes[3]};
}

// Reads exactly `length` bytes; false when the stream ends or fails first.
bool ReadExactly(Parser& parser, void* buffer, LONG length)
{
    return length == 0 || Read(static_cast<BPTR>(parser.iff_Stream), buffer, length) == length;
}

bool SkipBytes(Parser& parser, LONG length)
{
    if (length == 0) {
        return true;
    }
    if ((parser.iff_Flags & IFFF_RSEEK) != 0 &&
        Seek(static_cast<BPTR>(parser.iff_Stream), length, OFFSET_CURRENT) >= 0) {
        return true;
    }
    // Not seekable (or the seek was refused): read through, which also notices a short file.
    UBYTE scratch[4096];
    while (length > 0) {
        const LONG step = std::min<LONG>(length, sizeof scratch);
        if (!ReadExactly(parser, scratch, step)) {
            return false;
        }
        length -= step;
    }
    return true;
}

LONG Fail(Parser& parser, LONG error)
{
    parser.error = error;
    return error;
}

int64_t RemainingIn(const Parser& parser, const Context* context)
{
    if (context != nullptr) {
        return int64_t{context->cn_Size} - context->cn_Scan;
    }
    return parser.streamSize < 0 ? int64_t{LONG_MAX} : parser.streamSize - parser.rootScan;
}

// The grammar: what may stand directly inside a parent of this kind.
bool AllowedIn(const Context* parent, LONG id)
{
    if (parent == nullptr) {
        return id == ID_FORM || id == ID_LIST || id == ID_CAT;
    }
    switch (parent->cn_ID) {
    case ID_FORM:
        return id != ID_PROP;
    case ID_LIST:
        return IsGroup(id);
    case ID_CAT:
        return IsGroup(id) && id != ID_PROP;
    default: // PROP: data chunks only
        return !IsGroup(id);
    }
}

// Pushes the chunk whose header was just read (and counted in its parent).
LONG Enter(Parser& parser, LONG id, ULONG size)
{
    Context* parent = parser.stack.empty() ? nullptr : parser.stack.back().get();
    if (size > static_cast<ULONG>(LONG_MAX) || int64_t{size} > RemainingIn(parser, parent)) {
        return IFFERR_MANGLED;
    }
    if (!GoodId(id) || !AllowedIn(parent, id)) {
        return IFFERR_SYNTAX;
    }
    auto context = std::make_unique<Context>();
    context->cn_ID = id;
    context->cn_Size = static_cast<LONG>(size);
    context->parent = parent;
    context->isGroup = IsGroup(id);
    if (context->isGroup) {
        UBYTE type[4];
        if (size < 4 || !ReadExactly(parser, type, 4)) {
            return IFFERR_MANGLED;
        }
        context->cn_Type = static_cast<LONG>(BigEndian(type));
        context->cn_Scan = 4;
        const bool nameless = (id == ID_LIST || id == ID_CAT) && context->cn_Type == ID_NULL;
        if (!nameless && !GoodFormType(context->cn_Type)) {
            return IFFERR_SYNTAX;
        }
    } else {
        context->cn_Type = parent->cn_Type;
    }
    parser.stack.push_back(std::move(context));
    ++parser.iff_Depth;
    return 0;
}

// Skips what is left of the current chunk and its pad byte, and pops it.
LONG Leave(Parser& parser)
{
    Context* top = parser.stack.back().get();
    if (!SkipBytes(parser, top->cn_Size - top->cn_Scan)) {
        return IFFERR_MANGLED;
    }
    Context* parent = top->parent;
    int64_t used = top->cn_Size;
    // The pad byte after an odd chunk; a writer that left it out at the very end of its
    // parent is forgiven.
    if ((top->cn_Size & 1) != 0 && RemainingIn(parser, parent) - used >= 1) {
        if (!SkipBytes(parser, 1)) {
            return IFFERR_MANGLED;
        }
        ++used;
    }
    if (parent != nullptr) {
        parent->cn_Scan += static_cast<LONG>(used);
    } else {
        parser.rootScan += used;
    }
    parser.stack.pop_back();
    --parser.iff_Depth;
    return 0;
}

const Handler* FindHandler(const Parser& parser, LONG type, LONG id)
{
    for (const Handler& handler : parser.handlers) {
        if (handler.type == type && handler.id == id) {
            return &handler;
        }
    }
    return nullptr;
}

// Reads the current data chunk whole into the innermost FORM or LIST around it.
LONG StoreProperty(Parser& parser, Context& chunk)
{
    Context* scope = chunk.parent;
    while (scope != nullptr && scope->cn_ID != ID_FORM && scope->cn_ID != ID_LIST) {
        scope = scope->parent;
    }
    if (scope == nullptr) {
        return IFFERR_NOSCOPE;
    }
    auto property = std::make_unique<Property>();
    property->type = chunk.cn_Type;
    property->id = chunk.cn_ID;
    // Grown as bytes arrive, so a size the stream cannot back never becomes one allocation.
    constexpr LONG kStep = 1 << 16;
    while (chunk.cn_Scan < chunk.cn_Size) {
        const LONG step = std::min(kStep, chunk.cn_Size - chunk.cn_Scan);
        property->data.resize(property->data.size() + static_cast<size_t>(step));
        if (!ReadExactly(parser, property->data.data() + chunk.cn_Scan, step)) {
            return IFFERR_MANGLED;
        }
        chunk.cn_Scan += step;
    }
    property->stored.sp_Size = chunk.cn_Size;
    property->stored.sp_Data = property->data.data();
    auto& list = scope->properties;
    std::erase_if(list, [&](const auto& held) { return held->type == property->type && held->id == property->id; });
    list.push_back(std::move(property));
    return 0;
}

LONG AddHandler(IFFHandle* iff, LONG type, LONG id, bool stop)
{
    if (iff == nullptr) {
        return IFFERR_NOMEM;
    }
    auto& handlers = ParserOf(iff)->handlers;
    std::erase_if(handlers, [&](const Handler& held) { return held.type == type && held.id == id; });
    handlers.push_back({type, id, stop});
    return 0;
}

} // namespace

IFFHandle* AllocIFF()
{
    return new (std::nothrow) Parser();
}

void FreeIFF(IFFHandle* iff)
{
    if (iff == nullptr) {
        return;
    }
    CloseIFF(iff);
    delete ParserOf(iff);
}

void InitIFFasDOS(IFFHandle* iff)
{
    if (iff == nullptr) {
        return;
    }
    ParserOf(iff)->dos = true;
    iff->iff_Flags |= IFFF_FSEEK | IFFF_RSEEK;
}

LONG OpenIFF(IFFHandle* iff, LONG rwMode)
{
    if (iff == nullptr) {
        return IFFERR_NOMEM;
    }
    Parser& parser = *ParserOf(iff);
    if (!parser.dos) {
        return IFFERR_NOHOOK;
    }
    if ((rwMode & IFFF_RWBITS) != IFFF_READ) {
        return IFFERR_WRITE;
    }
    // Handlers declared before OpenIFF stay; everything else starts afresh.
    std::vector<Handler> handlers = std::move(parser.handlers);
    CloseIFF(iff);
    parser.handlers = std::move(handlers);
    const auto file = static_cast<BPTR>(iff->iff_Stream);
    // The stream's length from here bounds the outermost chunk.
    parser.streamSize = -1;
    const LONG start = Seek(file, 0, OFFSET_END);
    if (start >= 0) {
        const LONG end = Seek(file, start, OFFSET_BEGINNING);
        if (end >= start) {
            parser.streamSize = end - start;
        }
    }
    UBYTE header[8];
    if (!ReadExactly(parser, header, 8)) {
        return IFFERR_NOTIFF;
    }
    const auto id = static_cast<LONG>(BigEndian(header));
    if (id != ID_FORM && id != ID_LIST && id != ID_CAT) {
        return IFFERR_NOTIFF;
    }
    parser.pendingId = id;
    parser.pendingSize = BigEndian(header + 4);
    parser.headerPending = true;
    parser.rootScan = 8;
    parser.error = 0;
    parser.open = true;
    iff->iff_Flags = (iff->iff_Flags & ~static_cast<ULONG>(IFFF_RWBITS)) | IFFF_READ;
    return 0;
}

void CloseIFF(IFFHandle* iff)
{
    if (iff == nullptr) {
        return;
    }
    Parser& parser = *ParserOf(iff);
    parser.stack.clear();
    parser.handlers.clear();
    parser.headerPending = false;
    parser.open = false;
    parser.error = 0;
    iff->iff_Depth = 0;
}

LONG PropChunk(IFFHandle* iff, LONG type, LONG id)
{
    return AddHandler(iff, type, id, false);
}

LONG StopChunk(IFFHandle* iff, LONG type, LONG id)
{
    return AddHandler(iff, type, id, true);
}

LONG ParseIFF(IFFHandle* iff, LONG control)
{
    if (iff == nullptr || !ParserOf(iff)->open) {
        return IFFERR_NOTIFF;
    }
    Parser& parser = *ParserOf(iff);
    if (parser.error != 0) {
        return parser.error;
    }
    if (control != IFFPARSE_SCAN && control != IFFPARSE_STEP && control != IFFPARSE_RAWSTEP) {
        return IFFERR_SYNTAX;
    }
    for (;;) {
        if (parser.headerPending) {
            parser.headerPending = false;
            if (const LONG error = Enter(parser, parser.pendingId, parser.pendingSize); error != 0) {
                return Fail(parser, error);
            }
        }
        if (parser.stack.empty()) {
            return IFFERR_EOF;
        }
        Context& top = *parser.stack.back();
        if (!top.entered) {
            top.entered = true;
            const Handler* handler =
                control == IFFPARSE_RAWSTEP ? nullptr : FindHandler(parser, top.cn_Type, top.cn_ID);
            if (handler != nullptr && handler->stop) {
                return 0;
            }
            if (handler != nullptr && !top.isGroup) {
                if (const LONG error = StoreProperty(parser, top); error != 0) {
                    return Fail(parser, error);
                }
            }
            if (control != IFFPARSE_SCAN) {
                return 0;
            }
            continue;
        }
        const int64_t remaining = RemainingIn(parser, &top);
        if (top.isGroup && remaining >= 8) {
            UBYTE header[8];
            if (!ReadExactly(parser, header, 8)) {
                return Fail(parser, IFFERR_MANGLED);
            }
            top.cn_Scan += 8;
            if (const LONG error = Enter(parser, static_cast<LONG>(BigEndian(header)), BigEndian(header + 4));
                error != 0) {
                return Fail(parser, error);
            }
            continue;
        }
        if (top.isGroup && remaining > 0) {
            return Fail(parser, IFFERR_MANGLED); // a few bytes too few for another chunk
        }
        if (control != IFFPARSE_SCAN && !top.exitReported) {
            top.exitReported = true;
            return IFFERR_EOC;
        }
        if (const LONG error = Leave(parser); error != 0) {
            return Fail(parser, error);
        }
    }
}

StoredProperty* FindProp(IFFHandle* iff, LONG type, LONG id)
{
    if (iff == nullptr) {
        return nullptr;
    }
    auto& stack = ParserOf(iff)->stack;
    for (auto context = stack.rbegin(); context != stack.rend(); ++context) {
        for (const auto& property : (*context)->properties) {
            if (property->type == type && property->id == id) {
                return &property->stored;
            }
        }
    }
    return nullptr;
}

LONG ReadChunkBytes(IFFHandle* iff, APTR buf, LONG numBytes)
{
    if (iff == nullptr || ParserOf(iff)->stack.empty()) {
        return IFFERR_EOF;
    }
    Parser& parser = *ParserOf(iff);
    if (parser.error != 0) {
        return parser.error;
    }
    if (buf == nullptr || numBytes < 0) {
        return IFFERR_READ;
    }
    Context& top = *parser.stack.back();
    const LONG wanted = std::min(numBytes, top.cn_Size - top.cn_Scan);
    if (wanted == 0) {
        return 0;
    }
    const LONG got = Read(static_cast<BPTR>(parser.iff_Stream), buf, wanted);
    if (got != wanted) {
        // The file changed under us or failed: give what came, then stop trusting it.
        if (got > 0) {
            top.cn_Scan += got;
        }
        parser.error = got < 0 ? IFFERR_READ : IFFERR_MANGLED;
        return got > 0 ? got : parser.error;
    }
    top.cn_Scan += got;
    return got;
}

ContextNode* CurrentChunk(IFFHandle* iff)
{
    if (iff == nullptr || ParserOf(iff)->stack.empty()) {
        return nullptr;
    }
    return ParserOf(iff)->stack.back().get();
}

ContextNode* ParentChunk(ContextNode* contextNode)
{
    return contextNode == nullptr ? nullptr : static_cast<Context*>(contextNode)->parent;
}

} // namespace amiga
