// How every class composes its WKT text (internal to the library).
//
// Each class owns a result buffer (its static m_WKT) and a composition buffer, both of
// quarn::kWktCapacity characters, one of each per thread, shared by all objects of the class
// within that thread. FormatWKT composes
// the element in the composition buffer and copies it to the caller's buffer only when it
// is shorter than the caller's limit (the length rule); otherwise the caller gets "".
#ifndef QUARN_MODEL_WKTCOMPOSE_H
#define QUARN_MODEL_WKTCOMPOSE_H

#include <quarn/model/Constants.h>

#include <cstddef>

namespace quarn::detail {

class WktTemplate;

// The composition state of one class: its buffer, whether a composition is under way, and
// where that composition writes when it writes straight into its destination.
struct WktClassState {
    wchar_t compose[quarn::kWktCapacity];
    bool busy;
    wchar_t* direct;
};

// Composes one element into a class's composition buffer. Appends are bounded by the
// buffer: once the text reaches the capacity it is too long and no further character is
// stored, but the length keeps counting so that the full length can be reported.
//
// A composition that starts while the same class is already composing (an object nested
// in an object of its own class, or a cycle of objects) is refused: its element comes out
// empty. That keeps the shared buffer intact and bounds the recursion.
class WktComposer {
public:
    explicit WktComposer(WktClassState& state);
    // A composition whose text goes to `destination` (limit as for Finish). A destination
    // with room for a whole text (the class's result buffer) is written straight into,
    // without the copy from the class's buffer.
    WktComposer(WktClassState& state, wchar_t* destination, long limit);
    ~WktComposer();
    WktComposer(const WktComposer&) = delete;
    WktComposer& operator=(const WktComposer&) = delete;

    // Starts filling a template (model/WktTemplates.h): each Arg copies the template text
    // up to the next placeholder and then the argument; whatever follows the last
    // placeholder is copied by the next Format, Text or Finish.
    WktComposer& Format(const WktTemplate& pattern);
    // Fills a %s placeholder with a name or a child's text (null counts as empty).
    WktComposer& Arg(const wchar_t* text);
    // Fills a %.15G placeholder.
    WktComposer& Arg(double value);
    // Fills a %d placeholder.
    WktComposer& ArgInteger(long value);

    // Appends text as it stands; null appends nothing.
    WktComposer& Text(const wchar_t* text);
    // Marks the element as impossible to form (a child is missing): the result is "".
    WktComposer& Fail();

    bool Failed() const { return m_failed; }
    // Length of the composed text (the template finished), counting characters that did
    // not fit.
    std::size_t Length();

    // Applies the length rule: copies the text into `destination` when it was composed in
    // full and its length is below `limit`, else stores "". Returns `destination`.
    // The rest of the current template is composed first.
    const wchar_t* Finish(wchar_t* destination, long limit);

private:
    void Append(const wchar_t* text, std::size_t count);
    void Append(const wchar_t* text);
    // Ends the stored text (the full text, or as much as fits).
    void Terminate();
    // Copies the template up to its next placeholder and steps over the placeholder; with
    // none left, copies the rest of the template.
    void NextPlaceholder();
    // Copies the rest of the template.
    void FlushTemplate();

    WktClassState& m_state;
    wchar_t* m_out; // where the text is composed: the class's buffer or the destination
    const WktTemplate* m_template; // the template being filled, or null
    int m_filled;                  // placeholders of m_template filled so far
    int m_done;                    // characters of m_template composed so far
    std::size_t m_length;
    bool m_owner;
    bool m_failed;
};

} // namespace quarn::detail

#endif
