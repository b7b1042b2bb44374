#include <quarn/model/Text.h>

#include <quarn/model/ObjectStore.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>
#include <wchar.h> // wcsnlen (POSIX)

namespace {

const wchar_t* const kCommonTexts[] = {
#include "model/CommonTexts.inc"
};

// The length and the first and last four characters: enough to tell the common texts apart,
// and a long name that is none of them costs no more than a short one.
std::uint32_t HashText(const wchar_t* text, std::size_t length) {
    std::uint32_t hash = 2166136261u ^ static_cast<std::uint32_t>(length);
    auto mix = [&hash](wchar_t c) { hash = (hash ^ static_cast<std::uint32_t>(c)) * 16777619u; };
    const std::size_t head = length < 4 ? length : 4;
    for (std::size_t i = 0; i < head; ++i)
        mix(text[i]);
    for (std::size_t i = length > 4 ? length - 4 : length; i < length; ++i)
        mix(text[i]);
    return hash;
}

// Where the common texts lie, once they are built: before that no text can point there. Kept
// apart from the table so that telling a text's storage needs no check that it is built.
std::atomic<const wchar_t*> g_commonBegin{nullptr};
std::atomic<const wchar_t*> g_commonEnd{nullptr};

// The common texts in one block, each with its terminator, and an open-addressed table of
// their places by hash, each slot with the text's offset and length so that a lookup reads
// the slot and the text only. A text held here is shared by every holder and never freed.
class CommonTexts {
public:
    CommonTexts() {
        std::vector<Slot> entries;
        for (const wchar_t* text : kCommonTexts) {
            std::size_t length = std::char_traits<wchar_t>::length(text);
            entries.push_back(Slot{static_cast<std::uint32_t>(m_storage.size()),
                                   static_cast<std::uint32_t>(length)});
            if (length > m_longest) m_longest = length;
            m_storage.insert(m_storage.end(), text, text + length + 1);
        }
        for (const Slot& entry : entries) {
            std::size_t slot = HashText(m_storage.data() + entry.offset, entry.length) & kMask;
            while (m_slots[slot].length != 0)
                slot = (slot + 1) & kMask;
            m_slots[slot] = entry;
        }
        g_commonBegin.store(m_storage.data());
        g_commonEnd.store(End());
    }

    // The shared copy of the `length` characters at `text`, or null.
    const wchar_t* Find(const wchar_t* text, std::size_t length) const {
        if (length > m_longest) return nullptr;
        for (std::size_t slot = HashText(text, length) & kMask; m_slots[slot].length != 0;
             slot = (slot + 1) & kMask) {
            if (m_slots[slot].length != length) continue;
            const wchar_t* common = m_storage.data() + m_slots[slot].offset;
            if (std::char_traits<wchar_t>::compare(common, text, length) == 0) return common;
        }
        return nullptr;
    }

private:
    struct Slot {
        std::uint32_t offset;
        std::uint32_t length; // 0 for an empty slot (no common text is empty)
    };
    static constexpr std::size_t kSlots = 512; // a power of two, at least twice the entries
    static constexpr std::size_t kMask = kSlots - 1;
    static_assert(sizeof kCommonTexts / sizeof kCommonTexts[0] * 2 <= kSlots, "room to probe");

    const wchar_t* End() const { return m_storage.data() + m_storage.size(); }

    std::vector<wchar_t> m_storage;
    std::size_t m_longest = 0;
    Slot m_slots[kSlots] = {};
};

const CommonTexts& Common() {
    static const CommonTexts common;
    return common;
}

} // namespace

bool QuarnText::Owned() const {
    if (m_text == nullptr || m_text == m_inline) return false;
    const wchar_t* begin = g_commonBegin.load(std::memory_order_relaxed);
    const wchar_t* end = g_commonEnd.load(std::memory_order_relaxed);
    std::less<const wchar_t*> before;
    return before(m_text, begin) || !before(m_text, end);
}

void QuarnText::Release() {
    if (Owned()) QuarnFreeObject(m_text);
}

void QuarnCopyText(wchar_t (&field)[kQuarnTextField], const wchar_t* source) {
    int i = 0;
    if (source != nullptr) {
        for (; i < kQuarnTextLimit && source[i] != L'\0'; ++i)
            field[i] = source[i];
    }
    for (; i < kQuarnTextField; ++i)
        field[i] = L'\0';
}

void QuarnText::Set(const wchar_t* text, QuarnObjectStore* store) {
    // Short texts (authority names and codes, most unit names) are measured here; longer
    // ones by the library.
    std::size_t length = 0;
    if (text != nullptr) {
        while (length <= kInline && text[length] != L'\0')
            ++length;
        if (length > kInline) length = ::wcsnlen(text, static_cast<std::size_t>(kQuarnTextLimit));
    }
    // The text held already (registering an object sets its name again, mostly unchanged):
    // nothing to do. The comparison stops at the end of the shorter text.
    if (m_text != nullptr && length > 0 && std::wcsncmp(m_text, text, length) == 0 &&
        m_text[length] == L'\0')
        return;
    // The new text may lie inside the old one (a text set from its own getter): it is
    // moved before the old room is given back.
    wchar_t* target = nullptr;
    const wchar_t* common = length > kInline ? Common().Find(text, length) : nullptr;
    if (common != nullptr) {
        Release();
        m_text = const_cast<wchar_t*>(common); // never written: rooms of its own are
        return;
    }
    if (length == 0) {
        target = nullptr;
    } else if (length <= kInline) {
        target = m_inline;
    } else if (Owned() && std::char_traits<wchar_t>::length(m_text) == length) {
        // A text of the old one's length goes into the old room.
        target = m_text;
    } else {
        target = static_cast<wchar_t*>(QuarnAllocateObject((length + 1) * sizeof(wchar_t), store));
    }
    if (target == m_inline) {
        // Forward: a text from further on in the inline room is read before it is written.
        for (std::size_t i = 0; i < length; ++i)
            m_inline[i] = text[i];
        m_inline[length] = L'\0';
    } else if (target != nullptr) {
        std::memmove(target, text, length * sizeof(wchar_t));
        target[length] = L'\0';
    }
    if (target != m_text) Release();
    m_text = target;
}

bool QuarnEqualNoCase(const wchar_t* a, const wchar_t* b) {
    if (a == nullptr) a = L"";
    if (b == nullptr) b = L"";
    for (;; ++a, ++b) {
        if (QuarnUpperAZ(*a) != QuarnUpperAZ(*b)) return false;
        if (*a == L'\0') return true;
    }
}

int CompareBaseNames(const wchar_t* a, const wchar_t* b) {
    if (a == nullptr) a = L"";
    if (b == nullptr) b = L"";
    for (;; ++a, ++b) {
        // Character codes compare as unsigned values; a tilde ends the name.
        std::uint32_t ca = static_cast<std::uint32_t>(*a == L'~' ? L'\0' : *a);
        std::uint32_t cb = static_cast<std::uint32_t>(*b == L'~' ? L'\0' : *b);
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}
