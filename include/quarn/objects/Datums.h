// Datums: horizontal (ellipsoid, shift to WGS 84, grid files), vertical and local.
#ifndef QUARN_OBJECTS_DATUMS_H
#define QUARN_OBJECTS_DATUMS_H

#include <quarn/model/InfoBase.h>
#include <quarn/model/LazyRecords.h>
#include <quarn/model/Model.h>
#include <quarn/model/Records.h>
#include <quarn/model/ValueRecords.h>

#include <cstdint>

// Datum type codes the library itself gives meaning to.
constexpr long kQuarnDatumClassic = 1001;     // classic horizontal datum; vertical default too
constexpr long kQuarnDatumEllipsoidal = 2002; // heights measured from the ellipsoid
constexpr long kQuarnDatumLocal = 10000;      // default of local datums

// The datum of geographic, projected and geocentric systems. It refers to a factory-owned
// ellipsoid (not owned, no reference taken) and embeds its shift to WGS 84 and its pair of
// grid files. The rotations of the shift are held with the sign opposite to the one written
// in TOWGS84. Shift and grid files are kept compactly; the records handed out for them are
// built on the first request.
class QUARN_API CQuarnHorizontalDatum : public CQuarnInfo<CS_HorizontalDatum> {
public:
    CQuarnHorizontalDatum();
    CQuarnHorizontalDatum(const CQuarnHorizontalDatum& other);
    virtual ~CQuarnHorizontalDatum();
    // Takes name, authority, code, type, ellipsoid and shift; the grid files of the target
    // stay as they were.
    CQuarnHorizontalDatum& operator=(const CQuarnHorizontalDatum& other);

    // Base names, types, ellipsoid identity and shift; grid files and authority take no part.
    unsigned char operator==(const CQuarnHorizontalDatum& other) const;
    unsigned char operator!=(const CQuarnHorizontalDatum& other) const { return !(*this == other); }

    const wchar_t* GetWKT(const CS_Unit* unit) const override;
    long GetObjectType() const override { return kQuarnHorizontalDatum; }
    long GetDatumType() const override { return m_datumType; }
    const CS_Ellipsoid* GetEllipsoid() const override { return m_ellipsoid; }
    const CS_WGS84ConversionInfo* GetWGS84Parameters() const override;
    const CS_3DIMInfo* Get3DIMParameters() const override;
    // The seven shift values Dx, Dy, Dz, Ex, Ey, Ez, Ppm as GetWGS84Parameters shows them,
    // and the grid file names as Get3DIMParameters shows them, without building the records.
    static constexpr int kShiftValues = 7;
    const double* GetShiftValues() const { return m_shift; }
    const wchar_t* GetLBFFileName() const { return m_lbfFileName.Get(); }
    const wchar_t* GetCOPFileName() const { return m_copFileName.Get(); }

    void SetDatumType(long type) { m_datumType = static_cast<std::int32_t>(type); }
    void SetEllipsoid(const CS_Ellipsoid* ellipsoid) { m_ellipsoid = ellipsoid; }
    // Takes the whole record. A null record leaves the shift unchanged.
    void SetWGS84Parameters(const CQuarnWGS84ConversionInfo* shift);
    // The same from a bare record, as the factory has it.
    void SetWGS84Record(const CS_WGS84ConversionInfo& shift);
    // Take both file names. A null record leaves the grid files unchanged.
    void Set3DIMParameters(const CS_3DIMInfo* gridFiles);
    void Set3DIMParameters(const CQuarn3DIMInfo* gridFiles);

    // The DATUM element with its SPHEROID and TOWGS84, and THREEDIM when the name contains
    // "3DIM"; "" when the datum has no ellipsoid or the text is not shorter than `limit`.
    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;

protected:
    static thread_local wchar_t m_WKT[quarn::kWktCapacity];

private:
    void FillShift(CQuarnWGS84ConversionInfo* record) const;
    void FillGridFiles(CQuarn3DIMInfo* record) const;

    std::int32_t m_datumType;
    const CS_Ellipsoid* m_ellipsoid;
    double m_shift[kShiftValues];
    QuarnText m_areaOfUse;
    QuarnText m_lbfFileName;
    QuarnText m_copFileName;
    QuarnLazyRecords<CQuarnWGS84ConversionInfo, 1> m_shiftRecord;
    QuarnLazyRecords<CQuarn3DIMInfo, 1> m_gridFilesRecord;
};

// The datum of vertical systems: a name and a type. Two ellipsoidal vertical datums (type
// 2002 on the left operand) are equal whatever their names.
class QUARN_API CQuarnVerticalDatum : public CQuarnInfo<CS_VerticalDatum> {
public:
    CQuarnVerticalDatum();
    CQuarnVerticalDatum(const CQuarnVerticalDatum& other);
    virtual ~CQuarnVerticalDatum();
    CQuarnVerticalDatum& operator=(const CQuarnVerticalDatum& other);

    unsigned char operator==(const CQuarnVerticalDatum& other) const;
    unsigned char operator!=(const CQuarnVerticalDatum& other) const { return !(*this == other); }

    const wchar_t* GetWKT(const CS_Unit* unit) const override;
    long GetObjectType() const override { return kQuarnVerticalDatum; }
    long GetDatumType() const override { return m_datumType; }
    void SetDatumType(long type) { m_datumType = static_cast<std::int32_t>(type); }

    // The VERT_DATUM element; "" when it is not shorter than `limit`.
    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;

protected:
    static thread_local wchar_t m_WKT[quarn::kWktCapacity];

private:
    std::int32_t m_datumType;
};

// The datum of local systems: a name and a type.
class QUARN_API CQuarnLocalDatum : public CQuarnInfo<CS_LocalDatum> {
public:
    CQuarnLocalDatum();
    CQuarnLocalDatum(const CQuarnLocalDatum& other);
    virtual ~CQuarnLocalDatum();
    CQuarnLocalDatum& operator=(const CQuarnLocalDatum& other);

    unsigned char operator==(const CQuarnLocalDatum& other) const;
    unsigned char operator!=(const CQuarnLocalDatum& other) const { return !(*this == other); }

    const wchar_t* GetWKT(const CS_Unit* unit) const override;
    long GetObjectType() const override { return kQuarnLocalDatum; }
    long GetDatumType() const override { return m_datumType; }
    void SetDatumType(long type) { m_datumType = static_cast<std::int32_t>(type); }

    // The LOCAL_DATUM element; "" when it is not shorter than `limit`.
    const wchar_t* FormatWKT(wchar_t* buffer, long limit) const;

protected:
    static thread_local wchar_t m_WKT[quarn::kWktCapacity];

private:
    std::int32_t m_datumType;
};

#endif
