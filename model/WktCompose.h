// How every class composes its WKT text (internal to the library).
//
// Each class owns a result buffer (its static m_WKT) and a composition buffer, both of
// kQuarnWktCapacity characters and shared by all objects of the class. FormatWKT composes
// the element in the composition buffer and copies it to the caller's buffer only when it
// is shorter than the caller's limit (the length rule); otherwise the caller gets "".
#ifndef QUARN_MODEL_WKTCOMPOSE_H
#define QUARN_MODEL_WKTCOMPOSE_H

#include <cstddef>

// Capacity of every WKT buffer, terminator included: a text of 2047 characters fits.
constexpr long kQuarnWktCapacity = 2048;

// The composition state of one class: its buffer and whether a composition is under way.
struct QuarnWktClassState {
    wchar_t compose[kQuarnWktCapacity];
    bool busy;
};

// Composes one element into a class's composition buffer. Appends are bounded by the
// buffer: once the text reaches the capacity it is too long and no further character is
// stored, but the length keeps counting so that the full length can be reported.
//
// A composition that starts while the same class is already composing (an object nested
// in an object of its own class, or a cycle of objects) is refused: its element comes out
// empty. That keeps the shared buffer intact and bounds the recursion.
class QuarnWktComposer {
public:
    explicit QuarnWktComposer(QuarnWktClassState& state);
    ~QuarnWktComposer();
    QuarnWktComposer(const QuarnWktComposer&) = delete;
    QuarnWktComposer& operator=(const QuarnWktComposer&) = delete;

    // Appends text as it stands (a template piece or a child's text); null appends nothing.
    QuarnWktComposer& Text(const wchar_t* text);
    // Appends a name between double quotes, unescaped.
    QuarnWktComposer& Quoted(const wchar_t* name);
    // Appends a floating value in the "%.15G" form.
    QuarnWktComposer& Number(double value);
    // Appends a whole number in the "%d" form.
    QuarnWktComposer& Integer(long value);
    // Marks the element as impossible to form (a child is missing): the result is "".
    QuarnWktComposer& Fail();

    bool Failed() const { return m_failed; }
    // Length of the composed text, counting characters that did not fit.
    std::size_t Length() const { return m_length; }

    // Applies the length rule: copies the text into `destination` when it was composed in
    // full and its length is below `limit`, else stores "". Returns `destination`.
    const wchar_t* Finish(wchar_t* destination, long limit) const;

private:
    void Put(wchar_t c);

    QuarnWktClassState& m_state;
    std::size_t m_length;
    bool m_owner;
    bool m_failed;
};

#endif
