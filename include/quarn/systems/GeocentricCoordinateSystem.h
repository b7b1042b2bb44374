// Geocentric coordinate systems: three Cartesian lengths from the earth's centre in a linear
// unit, on a horizontal datum.
#ifndef QUARN_SYSTEMS_GEOCENTRICCOORDINATESYSTEM_H
#define QUARN_SYSTEMS_GEOCENTRICCOORDINATESYSTEM_H

#include <quarn/model/InfoBase.h>
#include <quarn/model/LazyRecords.h>
#include <quarn/model/ValueRecords.h>

// Children are plain pointers to objects the factory owns. Unlike geographic systems, the
// name takes part in equality (up to a registry suffix `~n`).
class QUARN_API CQuarnGeocentricCoordinateSystem
    : public CQuarnInfo<CS_GeocentricCoordinateSystem> {
public:
    CQuarnGeocentricCoordinateSystem();
    CQuarnGeocentricCoordinateSystem(const CQuarnGeocentricCoordinateSystem& other);
    virtual ~CQuarnGeocentricCoordinateSystem();
    CQuarnGeocentricCoordinateSystem& operator=(const CQuarnGeocentricCoordinateSystem& other);

    unsigned char operator==(const CQuarnGeocentricCoordinateSystem& other) const;
    unsigned char operator!=(const CQuarnGeocentricCoordinateSystem& other) const {
        return !(*this == other);
    }

    const wchar_t* GetWKT(const CS_Unit* unit) const override;
    long GetObjectType() const override { return kQuarnGeocentricCS; }

    long GetDimension() const override { return 3; }
    const PT_Envelope* GetDefaultEnvelope() const override { return &m_envelope; }
    // Null for an index outside 0 to 2.
    const CS_AxisInfo* GetAxis(long index) const override;
    // What GetAxis would show, without building the axis records: 0 and "" for an index
    // GetAxis answers with null.
    long GetAxisOrientation(long index) const { return QuarnAxisOrientation(m_axes, index); }
    const wchar_t* GetAxisName(long index) const { return QuarnAxisName(m_axes, index); }
    // The linear unit, whatever the index.
    const CS_Unit* GetUnits(long) const override { return m_linearUnit; }
    long GetSystemType() const override { return 3001; }
    long GetHeightType() const override { return 0; }

    const CS_HorizontalDatum* GetHorizontalDatum() const override { return m_datum; }
    const CS_LinearUnit* GetLinearUnit() const override { return m_linearUnit; }
    const CS_PrimeMeridian* GetPrimeMeridian() const override { return m_primeMeridian; }

    void SetDefaultEnvelope(const PT_Envelope* envelope);
    // Does nothing for an index outside 0 to 2, or a null axis.
    void SetAxis(long index, const CS_AxisInfo* axis);
    void SetPrimeMeridian(const CS_PrimeMeridian* primeMeridian) {
        m_primeMeridian = primeMeridian;
    }
    void SetLinearUnit(const CS_LinearUnit* unit) { m_linearUnit = unit; }
    void SetHorizontalDatum(const CS_HorizontalDatum* datum) { m_datum = datum; }

    // The GEOCCS element (its prime meridian in degrees); "" when a child is missing or the
    // text is not shorter than `limit`.
    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;

protected:
    static thread_local wchar_t m_WKT[quarn::kWktCapacity];

private:
    CTesselEnvelope m_envelope;
    QuarnAxis m_axes[3];
    QuarnAxisRecords<3> m_axisRecords; // built when GetAxis is first called
    const CS_PrimeMeridian* m_primeMeridian;
    const CS_LinearUnit* m_linearUnit;
    const CS_HorizontalDatum* m_datum;
};

#endif
