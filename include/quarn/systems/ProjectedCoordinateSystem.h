// Projected coordinate systems: a map projection applied to a geographic coordinate system,
// giving positions as two lengths in a linear unit.
#ifndef QUARN_SYSTEMS_PROJECTEDCOORDINATESYSTEM_H
#define QUARN_SYSTEMS_PROJECTEDCOORDINATESYSTEM_H

#include <quarn/model/InfoBase.h>
#include <quarn/model/LazyRecords.h>
#include <quarn/model/ValueRecords.h>

// Children (linear unit, geographic system, projection) are plain pointers to objects the
// factory owns. Two projected systems are equal when their axes point the same ways and
// they share their children; names take no part.
class QUARN_API CQuarnProjectedCoordinateSystem : public CQuarnInfo<CS_ProjectedCoordinateSystem> {
public:
    CQuarnProjectedCoordinateSystem();
    CQuarnProjectedCoordinateSystem(const CQuarnProjectedCoordinateSystem& other);
    virtual ~CQuarnProjectedCoordinateSystem();
    // Stores the source's unit directly: assignment never converts false easting/northing.
    CQuarnProjectedCoordinateSystem& operator=(const CQuarnProjectedCoordinateSystem& other);

    unsigned char operator==(const CQuarnProjectedCoordinateSystem& other) const;
    unsigned char operator!=(const CQuarnProjectedCoordinateSystem& other) const {
        return !(*this == other);
    }

    const wchar_t* GetWKT(const CS_Unit* unit) const override;
    long GetObjectType() const override { return kQuarnProjectedCS; }

    long GetDimension() const override { return 2; }
    const PT_Envelope* GetDefaultEnvelope() const override { return &m_envelope; }
    // Null for an index other than 0 or 1.
    const CS_AxisInfo* GetAxis(long index) const override;
    // What GetAxis would show, without building the axis records: 0 and "" for an index
    // GetAxis answers with null.
    long GetAxisOrientation(long index) const { return QuarnAxisOrientation(m_axes, index); }
    const wchar_t* GetAxisName(long index) const { return QuarnAxisName(m_axes, index); }
    // The linear unit, whatever the index.
    const CS_Unit* GetUnits(long) const override { return m_linearUnit; }
    long GetSystemType() const override { return 2002; }
    long GetHeightType() const override { return 0; }
    // The grid rotation of the ground-system projections, in radians; 0 for every other
    // projection and when no projection is set.
    double GetAzimuth() const override;

    // The geographic system's datum; null when no geographic system is set.
    const CS_HorizontalDatum* GetHorizontalDatum() const override;
    const CS_GeographicCoordinateSystem* GetGeographicCoordinateSystem() const override {
        return m_geographic;
    }
    const CS_Projection* GetProjection() const override { return m_projection; }
    const CS_LinearUnit* GetLinearUnit() const override { return m_linearUnit; }

    void SetDefaultEnvelope(const PT_Envelope* envelope);
    // Does nothing for an index other than 0 or 1, or a null axis.
    void SetAxis(long index, const CQuarnAxisInfo* axis);
    // The same from a bare record, as the factory has it.
    void SetAxisRecord(long index, const CS_AxisInfo& axis);
    void SetGeographicCoordinateSystem(const CS_GeographicCoordinateSystem* geographic) {
        m_geographic = geographic;
    }
    void SetProjection(const CS_Projection* projection) { m_projection = projection; }
    // Stores the unit. While projections are being loaded, the first unit set after the
    // projection also converts the projection's false easting and false northing from that
    // unit into metres (in the projection's own records, once per system).
    void SetLinearUnit(const CS_LinearUnit* unit);
    // Exactly SetLinearUnit: a projected system has one unit for both axes.
    void SetUnits(long, const CS_LinearUnit* unit) { SetLinearUnit(unit); }

    // The PROJCS element; "" when a child is missing or the text is not shorter than `limit`.
    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;

protected:
    static thread_local wchar_t m_WKT[quarn::kWktCapacity];

private:
    void ConvertFalseOriginToMetres(double metersPerUnit) const;

    CTesselEnvelope m_envelope;
    QuarnAxis m_axes[2];
    QuarnAxisRecords<2> m_axisRecords; // built when GetAxis is first called
    const CS_LinearUnit* m_linearUnit;
    const CS_GeographicCoordinateSystem* m_geographic;
    const CS_Projection* m_projection;
};

#endif
