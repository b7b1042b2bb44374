#include <quarn/tessel/Tessel.h>

bool CopyCoordinatePoint(PT_CoordinatePoint* destination, const PT_CoordinatePoint* source) {
    if (destination == nullptr || source == nullptr) return false;
    destination->ord = source->ord;
    return true;
}

bool CopyEnvelope(PT_Envelope* destination, const PT_Envelope* source) {
    if (destination == nullptr || source == nullptr) return false;
    CopyCoordinatePoint(&destination->minCP, &source->minCP);
    CopyCoordinatePoint(&destination->maxCP, &source->maxCP);
    return true;
}

bool EqualCoordinatePoint(const PT_CoordinatePoint* a, const PT_CoordinatePoint* b) {
    if (a == nullptr || b == nullptr) return false;
    long count = a->ord.GetSize();
    if (count != b->ord.GetSize()) return false;
    for (long i = 0; i < count; ++i) {
        if (!(a->ord[i] == b->ord[i])) return false;
    }
    return true;
}

bool EqualEnvelope(const PT_Envelope* a, const PT_Envelope* b) {
    if (a == nullptr || b == nullptr) return false;
    return EqualCoordinatePoint(&a->minCP, &b->minCP) && EqualCoordinatePoint(&a->maxCP, &b->maxCP);
}

CTesselCoordinatePoint::~CTesselCoordinatePoint() = default;

CTesselEnvelope::CTesselEnvelope() = default;

CTesselEnvelope::CTesselEnvelope(const CTesselEnvelope& other) : PT_Envelope(other) {}

CTesselEnvelope::~CTesselEnvelope() = default;
