// Vertical coordinate systems: heights or depths in a linear unit from a vertical datum.
#ifndef QUARN_SYSTEMS_VERTICALCOORDINATESYSTEM_H
#define QUARN_SYSTEMS_VERTICALCOORDINATESYSTEM_H

#include <quarn/model/InfoBase.h>
#include <quarn/model/LazyRecords.h>
#include <quarn/model/ValueRecords.h>

// One axis, a unit and a datum (plain pointers to objects the factory owns). Two vertical
// systems are equal when they share unit and datum and their axes point the same way;
// names take no part.
class QUARN_API CQuarnVerticalCoordinateSystem : public CQuarnInfo<CS_VerticalCoordinateSystem> {
public:
    CQuarnVerticalCoordinateSystem();
    CQuarnVerticalCoordinateSystem(const CQuarnVerticalCoordinateSystem& other);
    virtual ~CQuarnVerticalCoordinateSystem();
    CQuarnVerticalCoordinateSystem& operator=(const CQuarnVerticalCoordinateSystem& other);

    unsigned char operator==(const CQuarnVerticalCoordinateSystem& other) const;
    unsigned char operator!=(const CQuarnVerticalCoordinateSystem& other) const {
        return !(*this == other);
    }

    const wchar_t* GetWKT(const CS_Unit* unit) const override;
    long GetObjectType() const override { return kQuarnVerticalCS; }

    long GetDimension() const override { return 1; }
    const PT_Envelope* GetDefaultEnvelope() const override { return &m_envelope; }
    // Null for an index other than 0.
    const CS_AxisInfo* GetAxis(long index) const override;
    // What GetAxis would show, without building the axis records: 0 and "" for an index
    // GetAxis answers with null.
    long GetAxisOrientation(long index) const { return QuarnAxisOrientation(m_axis, index); }
    const wchar_t* GetAxisName(long index) const { return QuarnAxisName(m_axis, index); }
    // The vertical unit, whatever the index.
    const CS_Unit* GetUnits(long) const override { return m_unit; }
    long GetSystemType() const override { return 1000; }
    // 1 on an ellipsoidal datum (type 2002: heights from the ellipsoid), otherwise (a missing datum
    // included) 2.
    long GetHeightType() const override;

    const CS_VerticalDatum* GetVerticalDatum() const override { return m_datum; }
    const CS_LinearUnit* GetVerticalUnit() const override { return m_unit; }

    void SetVerticalDatum(const CS_VerticalDatum* datum) { m_datum = datum; }
    void SetVerticalUnit(const CS_LinearUnit* unit) { m_unit = unit; }
    // Exactly SetVerticalUnit: the system has one axis.
    void SetUnits(long, const CS_LinearUnit* unit) { m_unit = unit; }
    // Does nothing for an index other than 0, or a null axis.
    void SetAxis(long index, const CQuarnAxisInfo* axis);
    // The same from a bare record, as the factory has it.
    void SetAxisRecord(long index, const CS_AxisInfo& axis);

    // The VERT_CS element; "" when a child is missing or the text is not shorter than
    // `limit`.
    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;

protected:
    static thread_local wchar_t m_WKT[quarn::kWktCapacity];

private:
    CTesselEnvelope m_envelope;
    QuarnAxis m_axis[1];
    QuarnAxisRecords<1> m_axisRecords; // built when GetAxis is first called
    const CS_LinearUnit* m_unit;
    const CS_VerticalDatum* m_datum;
};

#endif
