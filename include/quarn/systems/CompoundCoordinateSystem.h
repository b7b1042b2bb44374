// Compound coordinate systems: a head system (normally horizontal) and a tail system
// (normally vertical) taken together as one three-dimensional system.
#ifndef QUARN_SYSTEMS_COMPOUNDCOORDINATESYSTEM_H
#define QUARN_SYSTEMS_COMPOUNDCOORDINATESYSTEM_H

#include <quarn/model/InfoBase.h>

// Has no axes, envelope or unit of its own: index 2 is the tail's first axis, every other
// index is the head's. Head and tail are plain pointers to systems the factory owns. A
// missing head or tail answers as an absent system would: null records, type codes that
// count it as 0, azimuth 0.
class QUARN_API CQuarnCompoundCoordinateSystem : public CQuarnInfo<CS_CompoundCoordinateSystem> {
public:
    CQuarnCompoundCoordinateSystem();
    CQuarnCompoundCoordinateSystem(const CQuarnCompoundCoordinateSystem& other);
    virtual ~CQuarnCompoundCoordinateSystem();
    CQuarnCompoundCoordinateSystem& operator=(const CQuarnCompoundCoordinateSystem& other);

    // Names (up to a registry suffix `~n`), then head and tail by identity.
    unsigned char operator==(const CQuarnCompoundCoordinateSystem& other) const;
    unsigned char operator!=(const CQuarnCompoundCoordinateSystem& other) const {
        return !(*this == other);
    }

    const wchar_t* GetWKT(const CS_Unit* unit) const override;
    long GetObjectType() const override { return kQuarnCompoundCS; }

    long GetDimension() const override { return 3; }
    const PT_Envelope* GetDefaultEnvelope() const override;
    const CS_AxisInfo* GetAxis(long index) const override;
    const CS_Unit* GetUnits(long index) const override;
    long GetSystemType() const override { return 3002; }
    long GetHeightType() const override;
    double GetAzimuth() const override;
    // The head's system type plus 1002: 3003 on a geographic head, 3004 on a projected one.
    long GetSystemTypeEx() const override;

    const CS_CoordinateSystem* GetHeadCS() const override { return m_head; }
    const CS_CoordinateSystem* GetTailCS() const override { return m_tail; }

    void SetHeadCS(const CS_CoordinateSystem* head) { m_head = head; }
    void SetTailCS(const CS_CoordinateSystem* tail) { m_tail = tail; }

    // The COMPD_CS element with the head's and the tail's own texts. A text that does not
    // fit is reported to the user ("WKT length: n > 2048") and comes out as ""; a missing
    // head or tail gives "" silently.
    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;

protected:
    static thread_local wchar_t m_WKT[quarn::kWktCapacity];

private:
    const CS_CoordinateSystem* m_head;
    const CS_CoordinateSystem* m_tail;
};

#endif
