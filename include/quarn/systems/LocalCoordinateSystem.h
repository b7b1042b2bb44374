// Local coordinate systems: one to three axes on a local datum, not tied to the earth.
#ifndef QUARN_SYSTEMS_LOCALCOORDINATESYSTEM_H
#define QUARN_SYSTEMS_LOCALCOORDINATESYSTEM_H

#include <quarn/model/InfoBase.h>
#include <quarn/model/LazyRecords.h>
#include <quarn/model/ValueRecords.h>

// Holds room for three axes and a dimension telling how many are in use (2 by default).
// The dimension is stored as given; every walk over the axes stops at the three records
// there are (and uses none for a dimension below 1). Unit and datum are plain pointers to
// objects the factory owns. Names take no part in equality.
class QUARN_API CQuarnLocalCoordinateSystem : public CQuarnInfo<CS_LocalCoordinateSystem> {
public:
    CQuarnLocalCoordinateSystem();
    CQuarnLocalCoordinateSystem(const CQuarnLocalCoordinateSystem& other);
    virtual ~CQuarnLocalCoordinateSystem();
    CQuarnLocalCoordinateSystem& operator=(const CQuarnLocalCoordinateSystem& other);

    unsigned char operator==(const CQuarnLocalCoordinateSystem& other) const;
    unsigned char operator!=(const CQuarnLocalCoordinateSystem& other) const {
        return !(*this == other);
    }

    const wchar_t* GetWKT(const CS_Unit* unit) const override;
    long GetObjectType() const override { return kQuarnLocalCS; }

    long GetDimension() const override { return m_dimension; }
    const PT_Envelope* GetDefaultEnvelope() const override { return &m_envelope; }
    // Null for an index outside 0 to 2.
    const CS_AxisInfo* GetAxis(long index) const override;
    // What GetAxis would show, without building the axis records: 0 and "" for an index
    // GetAxis answers with null.
    long GetAxisOrientation(long index) const { return QuarnAxisOrientation(m_axes, index); }
    const wchar_t* GetAxisName(long index) const { return QuarnAxisName(m_axes, index); }
    // The unit, whatever the index.
    const CS_Unit* GetUnits(long) const override { return m_unit; }
    // The dimension in thousands: 1000, 2000 or 3000.
    long GetSystemType() const override;
    // 3 for three dimensions (or more), else 0.
    long GetHeightType() const override { return GetDimension() >= 3 ? 3 : 0; }

    const CS_LocalDatum* GetLocalDatum() const override { return m_datum; }

    void SetLocalDatum(const CS_LocalDatum* datum) { m_datum = datum; }
    void SetLinearUnit(const CS_LinearUnit* unit) { m_unit = unit; }
    // The factory's create operation takes any unit: a local system's unit may be linear
    // or angular, and it is only ever used through CS_Unit.
    void SetUnit(const CS_Unit* unit) { m_unit = unit; }
    void SetDimension(long dimension) { m_dimension = dimension; }
    // Does nothing for an index outside 0 to 2, or a null axis.
    void SetAxis(long index, const CS_AxisInfo* axis);
    void SetDefaultEnvelope(const PT_Envelope* envelope);

    // The LOCAL_CS element with one AXIS per dimension; "" when a child is missing or the
    // text is not shorter than `limit`.
    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;

protected:
    static thread_local wchar_t m_WKT[quarn::kWktCapacity];

private:
    // The number of axis records in use: the dimension, kept within the records there are.
    long AxesInUse() const;

    CTesselEnvelope m_envelope;
    long m_dimension;
    QuarnAxis m_axes[3];
    QuarnAxisRecords<3> m_axisRecords; // built when GetAxis is first called
    const CS_Unit* m_unit;
    const CS_LocalDatum* m_datum;
};

#endif
