// Geographic coordinate systems: longitude and latitude in an angular unit, counted from a
// prime meridian, on a horizontal datum.
#ifndef QUARN_SYSTEMS_GEOGRAPHICCOORDINATESYSTEM_H
#define QUARN_SYSTEMS_GEOGRAPHICCOORDINATESYSTEM_H

#include <quarn/model/InfoBase.h>
#include <quarn/model/LazyRecords.h>
#include <quarn/model/ValueRecords.h>

// Children (unit, prime meridian, datum) are plain pointers to objects the factory owns; the
// system never adds or releases references to them. Two geographic systems are equal when
// they share their children and their axes point the same ways; names take no part.
class QUARN_API CQuarnGeographicCoordinateSystem
    : public CQuarnInfo<CS_GeographicCoordinateSystem> {
public:
    CQuarnGeographicCoordinateSystem();
    CQuarnGeographicCoordinateSystem(const CQuarnGeographicCoordinateSystem& other);
    virtual ~CQuarnGeographicCoordinateSystem();
    CQuarnGeographicCoordinateSystem& operator=(const CQuarnGeographicCoordinateSystem& other);

    unsigned char operator==(const CQuarnGeographicCoordinateSystem& other) const;
    unsigned char operator!=(const CQuarnGeographicCoordinateSystem& other) const {
        return !(*this == other);
    }

    const wchar_t* GetWKT(const CS_Unit* unit) const override;
    long GetObjectType() const override { return kQuarnGeographicCS; }

    long GetDimension() const override { return 2; }
    const PT_Envelope* GetDefaultEnvelope() const override { return &m_envelope; }
    // Null for an index other than 0 or 1.
    const CS_AxisInfo* GetAxis(long index) const override;
    // What GetAxis would show, without building the axis records: 0 and "" for an index
    // GetAxis answers with null.
    long GetAxisOrientation(long index) const { return QuarnAxisOrientation(m_axes, index); }
    const wchar_t* GetAxisName(long index) const { return QuarnAxisName(m_axes, index); }
    // The angular unit, whatever the index.
    const CS_Unit* GetUnits(long) const override { return m_angularUnit; }
    long GetSystemType() const override { return 2001; }
    long GetHeightType() const override { return 0; }

    const CS_HorizontalDatum* GetHorizontalDatum() const override { return m_datum; }
    const CS_AngularUnit* GetAngularUnit() const override { return m_angularUnit; }
    const CS_PrimeMeridian* GetPrimeMeridian() const override { return m_primeMeridian; }
    // A geographic system always has exactly one conversion: its datum's shift.
    long GetNumConversionToWGS84() const override { return 1; }
    // The datum's shift, whatever the index; null when no datum is set.
    const CS_WGS84ConversionInfo* GetWGS84ConversionInfo(long index) const override;

    void SetDefaultEnvelope(const PT_Envelope* envelope);
    // Does nothing for an index other than 0 or 1, or a null axis.
    void SetAxis(long index, const CS_AxisInfo* axis);
    void SetPrimeMeridian(const CS_PrimeMeridian* primeMeridian) {
        m_primeMeridian = primeMeridian;
    }
    void SetAngularUnit(const CS_AngularUnit* unit) { m_angularUnit = unit; }
    void SetHorizontalDatum(const CS_HorizontalDatum* datum) { m_datum = datum; }

    // The GEOGCS element, its prime meridian written in this system's angular unit; "" when
    // a child is missing or the text is not shorter than `limit`.
    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;

protected:
    static thread_local wchar_t m_WKT[quarn::kWktCapacity];

private:
    CTesselEnvelope m_envelope;
    QuarnAxis m_axes[2];
    QuarnAxisRecords<2> m_axisRecords; // built when GetAxis is first called
    const CS_PrimeMeridian* m_primeMeridian;
    const CS_AngularUnit* m_angularUnit;
    const CS_HorizontalDatum* m_datum;
};

#endif
