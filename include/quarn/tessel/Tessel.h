// Tessel: point and envelope records shared by coordinate-system libraries.
#ifndef QUARN_TESSEL_TESSEL_H
#define QUARN_TESSEL_TESSEL_H

#include <quarn/Sequence.h>

#if defined(__GNUC__) || defined(__clang__)
#define TESSEL_API __attribute__((visibility("default")))
#else
#define TESSEL_API
#endif

// A point of up to three ordinates; `ord.GetSize()` tells how many are in use.
struct PT_CoordinatePoint {
    CBASESequence<double, 3> ord;
};

// An envelope: the minimum corner, then the maximum corner.
struct PT_Envelope {
    PT_CoordinatePoint minCP;
    PT_CoordinatePoint maxCP;
};

// Copy a record into another; false (and nothing copied) when either pointer is null.
TESSEL_API bool CopyCoordinatePoint(PT_CoordinatePoint* destination,
                                    const PT_CoordinatePoint* source);
TESSEL_API bool CopyEnvelope(PT_Envelope* destination, const PT_Envelope* source);
// Exact comparison: the same number of ordinates and the ordinates in use equal as values.
// False when either pointer is null.
TESSEL_API bool EqualCoordinatePoint(const PT_CoordinatePoint* a, const PT_CoordinatePoint* b);
TESSEL_API bool EqualEnvelope(const PT_Envelope* a, const PT_Envelope* b);

class TESSEL_API CTesselCoordinatePoint : public PT_CoordinatePoint {
public:
    CTesselCoordinatePoint() = default;
    CTesselCoordinatePoint(double x, double y) {
        ord.Resize(2);
        ord[0] = x;
        ord[1] = y;
    }
    CTesselCoordinatePoint(double x, double y, double z) {
        ord.Resize(3);
        ord[0] = x;
        ord[1] = y;
        ord[2] = z;
    }
    explicit CTesselCoordinatePoint(const PT_CoordinatePoint& point) {
        CopyCoordinatePoint(this, &point);
    }
    explicit CTesselCoordinatePoint(const PT_CoordinatePoint* point) {
        CopyCoordinatePoint(this, point);
    }
    CTesselCoordinatePoint(const CTesselCoordinatePoint& other) = default;
    CTesselCoordinatePoint& operator=(const CTesselCoordinatePoint& other) = default;
    CTesselCoordinatePoint& operator=(const PT_CoordinatePoint& point) {
        CopyCoordinatePoint(this, &point);
        return *this;
    }
    virtual ~CTesselCoordinatePoint();

    bool operator==(const PT_CoordinatePoint& point) const {
        return EqualCoordinatePoint(this, &point);
    }
    bool operator!=(const PT_CoordinatePoint& point) const { return !(*this == point); }

    // Ordinate by index, unchecked like the built-in index.
    double& operator[](long index) { return ord[index]; }
    double operator[](long index) const { return ord[index]; }
    long GetSize() const { return ord.GetSize(); }
    // Refuses more than three ordinates.
    bool Resize(long count) { return ord.Resize(count); }

    operator PT_CoordinatePoint*() { return this; }
    operator const PT_CoordinatePoint*() const { return this; }
};

class TESSEL_API CTesselEnvelope : public PT_Envelope {
public:
    // An envelope whose two corners hold no ordinates.
    CTesselEnvelope();
    CTesselEnvelope(const CTesselEnvelope& other);
    explicit CTesselEnvelope(const PT_Envelope& envelope) { CopyEnvelope(this, &envelope); }
    explicit CTesselEnvelope(const PT_Envelope* envelope) { CopyEnvelope(this, envelope); }
    virtual ~CTesselEnvelope();

    CTesselEnvelope& operator=(const CTesselEnvelope& other) {
        CopyEnvelope(this, &other);
        return *this;
    }
    CTesselEnvelope& operator=(const PT_Envelope& envelope) {
        CopyEnvelope(this, &envelope);
        return *this;
    }
    bool operator==(const PT_Envelope& envelope) const { return EqualEnvelope(this, &envelope); }
    bool operator!=(const PT_Envelope& envelope) const { return !(*this == envelope); }

    operator PT_Envelope*() { return this; }
    operator const PT_Envelope*() const { return this; }
};

#endif
