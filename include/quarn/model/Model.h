// The object model: the CS_ interfaces every coordinate-system object implements, the
// reference-counted root CS_Info, and the object, system and height type codes.
#ifndef QUARN_MODEL_MODEL_H
#define QUARN_MODEL_MODEL_H

#include <quarn/Sequence.h>
#include <quarn/model/Export.h>
#include <quarn/model/Records.h>

#include <quarn/tessel/Tessel.h>

#include <atomic>
#include <cstdint>

// Object type codes (GetObjectType), one per implementation class. The factory keeps one
// registry per code.
enum EQuarnObjectType : long {
    kQuarnCompoundCS = 0,
    kQuarnFittedHorizontalCS = 1,
    kQuarnFittedVerticalCS = 2,
    kQuarnProjectedCS = 3,
    kQuarnGeographicCS = 4,
    kQuarnGeocentricCS = 5,
    kQuarnVerticalCS = 6,
    kQuarnLocalCS = 7,
    kQuarnPrimeMeridian = 8,
    kQuarnEllipsoid = 9,
    kQuarnProjection = 10,
    kQuarnHorizontalDatum = 11,
    kQuarnVerticalDatum = 12,
    kQuarnLocalDatum = 13,
    kQuarnLinearUnit = 14,
    kQuarnAngularUnit = 15,
    kQuarnObjectTypeCount = 16
};

// The projection methods the library recognises by class name (CS_Projection::GetType).
enum EProjectionType {
    PT_Unknown = 0,
    PT_LambertConformalConic1SP = 3,
    PT_LambertConformalConic2SP = 4,
    PT_ObliqueMercator83 = 5,
    PT_ObliqueStereographic = 6,
    PT_HotineObliqueMercator = 7,
    PT_TransverseMercator = 8,
    PT_Stereographic = 9,
    PT_LambertConformalConic27 = 10,
    PT_TransverseMercator27 = 11,
    PT_TransverseMercatorAlaska27 = 12,
    PT_ObliqueMercator27 = 13,
    PT_GroundSystem = 14,
    PT_GroundSystemAzimuth = 15,
    PT_TransverseMercatorOSTN02 = 16,
    PT_ObliqueStereographicRD2000 = 17,
    PT_ObliqueStereographicRD2004 = 18,
    PT_ObliqueMercator = 19,
    PT_LambertConformalConic2SPBelgium = 20,
    PT_CassiniSoldner = 21,
    PT_TransverseMercator34 = 22,
    PT_ObliqueMercatorHD72 = 23,
    PT_Krovak = 24,
    PT_TransverseMercatorGGRS87 = 25,
    PT_ObliqueStereographicSP1930 = 26,
    PT_ObliqueStereographicSP1970 = 27
};

class CS_Unit;

// Root of every coordinate-system object: identification, WKT output and a reference count
// that serves clients only. Objects are created and destroyed by the factory alone, through
// their implementation type; the destructor here is protected so that nothing can delete
// an object through an interface.
class QUARN_API CS_Info {
public:
    virtual const wchar_t* GetName() const = 0;
    virtual const wchar_t* GetAuthority() const = 0;
    virtual const wchar_t* GetAuthorityCode() const = 0;
    virtual const wchar_t* GetAlias() const = 0;
    virtual const wchar_t* GetAbbreviation() const = 0;
    virtual const wchar_t* GetRemarks() const = 0;
    // The object as WKT, in a buffer owned by the implementation class (one per thread);
    // valid until the next GetWKT on an object of that class in the same thread. `unit` is a unit
    // context (used by the prime meridian); other classes ignore it.
    virtual const wchar_t* GetWKT(const CS_Unit* unit) const = 0;
    virtual const wchar_t* GetXML() const = 0;
    virtual long GetObjectType() const = 0;
    // The counts returned are those before the change. The count never decides an object's
    // life: nothing is destroyed when it reaches zero or below.
    virtual long AddRef() const;
    virtual long AddRef();
    virtual long Release() const;
    virtual long Release();
    virtual long GetRefCount() const;
    virtual void SetName(const wchar_t* name) = 0;

protected:
    CS_Info() : m_refCount(0) {}
    CS_Info(const CS_Info& other) : m_refCount(other.GetRefCount()) {}
    CS_Info& operator=(const CS_Info& other) {
        m_refCount.store(other.GetRefCount(), std::memory_order_relaxed);
        return *this;
    }
    ~CS_Info() = default;

private:
    // Atomic so that clients of a shared, finished factory may count references from several
    // threads; the count orders nothing else, so relaxed operations suffice.
    std::atomic<std::int32_t> m_refCount;
};

class QUARN_API CS_Unit : public CS_Info {
public:
    // How many internal units (metres, radians) one unit is.
    virtual double GetIUnitsPerUnit() const = 0;

protected:
    CS_Unit() = default;
    CS_Unit(const CS_Unit&) = default;
    CS_Unit& operator=(const CS_Unit&) = default;
    ~CS_Unit() = default;
};

class QUARN_API CS_LinearUnit : public CS_Unit {
public:
    double GetIUnitsPerUnit() const override { return GetMetersPerUnit(); }
    virtual double GetMetersPerUnit() const = 0;

protected:
    CS_LinearUnit() = default;
    CS_LinearUnit(const CS_LinearUnit&) = default;
    CS_LinearUnit& operator=(const CS_LinearUnit&) = default;
    ~CS_LinearUnit() = default;
};

class QUARN_API CS_AngularUnit : public CS_Unit {
public:
    double GetIUnitsPerUnit() const override { return GetRadiansPerUnit(); }
    virtual double GetRadiansPerUnit() const = 0;

protected:
    CS_AngularUnit() = default;
    CS_AngularUnit(const CS_AngularUnit&) = default;
    CS_AngularUnit& operator=(const CS_AngularUnit&) = default;
    ~CS_AngularUnit() = default;
};

class QUARN_API CS_Ellipsoid : public CS_Info {
public:
    virtual double GetSemiMajorAxis() const = 0;
    virtual double GetInverseFlattening() const = 0;

protected:
    CS_Ellipsoid() = default;
    CS_Ellipsoid(const CS_Ellipsoid&) = default;
    CS_Ellipsoid& operator=(const CS_Ellipsoid&) = default;
    ~CS_Ellipsoid() = default;
};

class QUARN_API CS_Datum : public CS_Info {
public:
    virtual long GetDatumType() const = 0;

protected:
    CS_Datum() = default;
    CS_Datum(const CS_Datum&) = default;
    CS_Datum& operator=(const CS_Datum&) = default;
    ~CS_Datum() = default;
};

class QUARN_API CS_HorizontalDatum : public CS_Datum {
public:
    virtual const CS_Ellipsoid* GetEllipsoid() const = 0;
    virtual const CS_WGS84ConversionInfo* GetWGS84Parameters() const = 0;
    virtual const CS_3DIMInfo* Get3DIMParameters() const = 0;

protected:
    CS_HorizontalDatum() = default;
    CS_HorizontalDatum(const CS_HorizontalDatum&) = default;
    CS_HorizontalDatum& operator=(const CS_HorizontalDatum&) = default;
    ~CS_HorizontalDatum() = default;
};

class QUARN_API CS_VerticalDatum : public CS_Datum {
protected:
    CS_VerticalDatum() = default;
    CS_VerticalDatum(const CS_VerticalDatum&) = default;
    CS_VerticalDatum& operator=(const CS_VerticalDatum&) = default;
    ~CS_VerticalDatum() = default;
};

class QUARN_API CS_LocalDatum : public CS_Datum {
protected:
    CS_LocalDatum() = default;
    CS_LocalDatum(const CS_LocalDatum&) = default;
    CS_LocalDatum& operator=(const CS_LocalDatum&) = default;
    ~CS_LocalDatum() = default;
};

class QUARN_API CS_PrimeMeridian : public CS_Info {
public:
    virtual double GetLongitude() const = 0;

protected:
    CS_PrimeMeridian() = default;
    CS_PrimeMeridian(const CS_PrimeMeridian&) = default;
    CS_PrimeMeridian& operator=(const CS_PrimeMeridian&) = default;
    ~CS_PrimeMeridian() = default;
};

class QUARN_API CS_Projection : public CS_Info {
public:
    // The projection method's name.
    virtual const wchar_t* GetClassName() const = 0;
    virtual long GetNumParameters() const = 0;
    virtual const CS_ProjectionParameter* GetParameter(const wchar_t* name) const = 0;
    virtual const CS_ProjectionParameter* GetParameter(long index) const = 0;
    virtual void SetClassName(const wchar_t* name) = 0;
    virtual EProjectionType GetType() const = 0;

protected:
    CS_Projection() = default;
    CS_Projection(const CS_Projection&) = default;
    CS_Projection& operator=(const CS_Projection&) = default;
    ~CS_Projection() = default;
};

class QUARN_API CS_CoordinateSystem : public CS_Info {
public:
    virtual long GetDimension() const = 0;
    virtual const PT_Envelope* GetDefaultEnvelope() const = 0;
    virtual const CS_AxisInfo* GetAxis(long dimension) const = 0;
    virtual const CS_Unit* GetUnits(long dimension) const = 0;
    virtual long GetSystemType() const = 0;
    virtual long GetHeightType() const = 0;
    // The rotation of the system's grid in radians; 0 unless a class says otherwise.
    virtual double GetAzimuth() const;
    virtual long GetSystemTypeEx() const;

    // These answer 0 when called through a null pointer, so that a host can ask a possibly
    // missing system without testing it first.
    long GetSafeHeightType() const;
    long GetSafeSystemType() const;
    long GetSafeSystemTypeEx() const;

protected:
    CS_CoordinateSystem() = default;
    CS_CoordinateSystem(const CS_CoordinateSystem&) = default;
    CS_CoordinateSystem& operator=(const CS_CoordinateSystem&) = default;
    ~CS_CoordinateSystem() = default;
};

class QUARN_API CS_HorizontalCoordinateSystem : public CS_CoordinateSystem {
public:
    virtual const CS_HorizontalDatum* GetHorizontalDatum() const = 0;

protected:
    CS_HorizontalCoordinateSystem() = default;
    CS_HorizontalCoordinateSystem(const CS_HorizontalCoordinateSystem&) = default;
    CS_HorizontalCoordinateSystem& operator=(const CS_HorizontalCoordinateSystem&) = default;
    ~CS_HorizontalCoordinateSystem() = default;
};

class QUARN_API CS_GeographicCoordinateSystem : public CS_HorizontalCoordinateSystem {
public:
    virtual const CS_AngularUnit* GetAngularUnit() const = 0;
    virtual const CS_PrimeMeridian* GetPrimeMeridian() const = 0;
    virtual long GetNumConversionToWGS84() const = 0;
    virtual const CS_WGS84ConversionInfo* GetWGS84ConversionInfo(long index) const = 0;

protected:
    CS_GeographicCoordinateSystem() = default;
    CS_GeographicCoordinateSystem(const CS_GeographicCoordinateSystem&) = default;
    CS_GeographicCoordinateSystem& operator=(const CS_GeographicCoordinateSystem&) = default;
    ~CS_GeographicCoordinateSystem() = default;
};

class QUARN_API CS_ProjectedCoordinateSystem : public CS_HorizontalCoordinateSystem {
public:
    virtual const CS_GeographicCoordinateSystem* GetGeographicCoordinateSystem() const = 0;
    virtual const CS_Projection* GetProjection() const = 0;
    virtual const CS_LinearUnit* GetLinearUnit() const = 0;

protected:
    CS_ProjectedCoordinateSystem() = default;
    CS_ProjectedCoordinateSystem(const CS_ProjectedCoordinateSystem&) = default;
    CS_ProjectedCoordinateSystem& operator=(const CS_ProjectedCoordinateSystem&) = default;
    ~CS_ProjectedCoordinateSystem() = default;
};

class QUARN_API CS_GeocentricCoordinateSystem : public CS_CoordinateSystem {
public:
    virtual const CS_HorizontalDatum* GetHorizontalDatum() const = 0;
    virtual const CS_LinearUnit* GetLinearUnit() const = 0;
    virtual const CS_PrimeMeridian* GetPrimeMeridian() const = 0;

protected:
    CS_GeocentricCoordinateSystem() = default;
    CS_GeocentricCoordinateSystem(const CS_GeocentricCoordinateSystem&) = default;
    CS_GeocentricCoordinateSystem& operator=(const CS_GeocentricCoordinateSystem&) = default;
    ~CS_GeocentricCoordinateSystem() = default;
};

class QUARN_API CS_VerticalCoordinateSystem : public CS_CoordinateSystem {
public:
    virtual const CS_VerticalDatum* GetVerticalDatum() const = 0;
    virtual const CS_LinearUnit* GetVerticalUnit() const = 0;

protected:
    CS_VerticalCoordinateSystem() = default;
    CS_VerticalCoordinateSystem(const CS_VerticalCoordinateSystem&) = default;
    CS_VerticalCoordinateSystem& operator=(const CS_VerticalCoordinateSystem&) = default;
    ~CS_VerticalCoordinateSystem() = default;
};

class QUARN_API CS_CompoundCoordinateSystem : public CS_CoordinateSystem {
public:
    virtual const CS_CoordinateSystem* GetHeadCS() const = 0;
    virtual const CS_CoordinateSystem* GetTailCS() const = 0;

protected:
    CS_CompoundCoordinateSystem() = default;
    CS_CompoundCoordinateSystem(const CS_CompoundCoordinateSystem&) = default;
    CS_CompoundCoordinateSystem& operator=(const CS_CompoundCoordinateSystem&) = default;
    ~CS_CompoundCoordinateSystem() = default;
};

class QUARN_API CS_LocalCoordinateSystem : public CS_CoordinateSystem {
public:
    virtual const CS_LocalDatum* GetLocalDatum() const = 0;

protected:
    CS_LocalCoordinateSystem() = default;
    CS_LocalCoordinateSystem(const CS_LocalCoordinateSystem&) = default;
    CS_LocalCoordinateSystem& operator=(const CS_LocalCoordinateSystem&) = default;
    ~CS_LocalCoordinateSystem() = default;
};

class QUARN_API CS_FittedCoordinateSystem : public CS_CoordinateSystem {
public:
    virtual const CS_CoordinateSystem* GetBaseCoordinateSystem() const = 0;
    // Both fitted classes answer null: their transformation exists only inside their WKT.
    virtual const wchar_t* GetToBase() const = 0;

protected:
    CS_FittedCoordinateSystem() = default;
    CS_FittedCoordinateSystem(const CS_FittedCoordinateSystem&) = default;
    CS_FittedCoordinateSystem& operator=(const CS_FittedCoordinateSystem&) = default;
    ~CS_FittedCoordinateSystem() = default;
};

// The factory interface. Every result is a constant object owned by the factory, or null.
class QUARN_API CS_CoordinateSystemFactory {
public:
    virtual const CS_CoordinateSystem* CreateFromXML(const wchar_t* xml) = 0;
    virtual const CS_CoordinateSystem* CreateFromWKT(const wchar_t* wkt) = 0;
    virtual const CS_CompoundCoordinateSystem*
    CreateCompoundCoordinateSystem(const wchar_t* name, const CS_CoordinateSystem* head,
                                   const CS_CoordinateSystem* tail) = 0;
    virtual const CS_FittedCoordinateSystem*
    CreateFittedCoordinateSystem(const wchar_t* name, const CS_CoordinateSystem* base,
                                 const wchar_t* toBase,
                                 const CBASESequence<CS_AxisInfo, 3>& axes) = 0;
    virtual const CS_LocalCoordinateSystem*
    CreateLocalCoordinateSystem(const wchar_t* name, const CS_LocalDatum* datum,
                                const CS_Unit* unit, const CBASESequence<CS_AxisInfo, 3>& axes) = 0;
    virtual const CS_Ellipsoid* CreateEllipsoid(const wchar_t* name, double semiMajorAxis,
                                                double semiMinorAxis,
                                                const CS_LinearUnit* unit) = 0;
    virtual const CS_Ellipsoid* CreateFlattenedSphere(const wchar_t* name, double semiMajorAxis,
                                                      double inverseFlattening,
                                                      const CS_LinearUnit* unit) = 0;
    virtual const CS_ProjectedCoordinateSystem*
    CreateProjectedCoordinateSystem(const wchar_t* name,
                                    const CS_GeographicCoordinateSystem* geographic,
                                    const CS_Projection* projection, const CS_LinearUnit* unit,
                                    const CS_AxisInfo& axis0, const CS_AxisInfo& axis1) = 0;
    virtual const CS_Projection*
    CreateProjection(const wchar_t* name, const wchar_t* className,
                     const CBASESequence<CS_ProjectionParameter, 11>& parameters) = 0;
    virtual const CS_HorizontalDatum* CreateHorizontalDatum(const wchar_t* name, long datumType,
                                                            const CS_Ellipsoid* ellipsoid,
                                                            const CS_WGS84ConversionInfo& shift,
                                                            const CS_3DIMInfo& gridFiles) = 0;
    virtual const CS_PrimeMeridian*
    CreatePrimeMeridian(const wchar_t* name, const CS_AngularUnit* unit, double longitude) = 0;
    virtual const CS_GeographicCoordinateSystem*
    CreateGeographicCoordinateSystem(const wchar_t* name, const CS_AngularUnit* unit,
                                     const CS_HorizontalDatum* datum,
                                     const CS_PrimeMeridian* primeMeridian,
                                     const CS_AxisInfo& axis0, const CS_AxisInfo& axis1) = 0;
    virtual const CS_LocalDatum* CreateLocalDatum(const wchar_t* name, long datumType) = 0;
    virtual const CS_VerticalDatum* CreateVerticalDatum(const wchar_t* name, long datumType) = 0;
    virtual const CS_VerticalCoordinateSystem*
    CreateVerticalCoordinateSystem(const wchar_t* name, const CS_VerticalDatum* datum,
                                   const CS_LinearUnit* unit, const CS_AxisInfo& axis) = 0;

protected:
    CS_CoordinateSystemFactory() = default;
    CS_CoordinateSystemFactory(const CS_CoordinateSystemFactory&) = default;
    CS_CoordinateSystemFactory& operator=(const CS_CoordinateSystemFactory&) = default;
    ~CS_CoordinateSystemFactory() = default;
};

// An authority's catalogue of definitions by code. The library declares the interface for
// hosts that provide such a catalogue; it neither implements nor calls it.
class QUARN_API CS_CoordinateSystemAuthorityFactory {
public:
    virtual const wchar_t* GetAuthority() const = 0;
    virtual const CS_ProjectedCoordinateSystem*
    CreateProjectedCoordinateSystem(const wchar_t* code) = 0;
    virtual const CS_GeographicCoordinateSystem*
    CreateGeographicCoordinateSystem(const wchar_t* code) = 0;
    virtual const CS_HorizontalDatum* CreateHorizontalDatum(const wchar_t* code) = 0;
    virtual const CS_Ellipsoid* CreateEllipsoid(const wchar_t* code) = 0;
    virtual const CS_PrimeMeridian* CreatePrimeMeridian(const wchar_t* code) = 0;
    virtual const CS_LinearUnit* CreateLinearUnit(const wchar_t* code) = 0;
    virtual const CS_AngularUnit* CreateAngularUnit(const wchar_t* code) = 0;
    virtual const CS_VerticalDatum* CreateVerticalDatum(const wchar_t* code) = 0;
    virtual const CS_VerticalCoordinateSystem*
    CreateVerticalCoordinateSystem(const wchar_t* code) = 0;
    virtual const CS_CompoundCoordinateSystem*
    CreateCompoundCoordinateSystem(const wchar_t* code) = 0;
    virtual const CS_HorizontalCoordinateSystem*
    CreateHorizontalCoordinateSystem(const wchar_t* code) = 0;
    virtual const wchar_t* DescriptionText(const wchar_t* code) = 0;
    virtual const wchar_t* GeoidFromWKTName(const wchar_t* wktName) = 0;
    virtual const wchar_t* WKTGeoidName(const wchar_t* geoid) = 0;

protected:
    CS_CoordinateSystemAuthorityFactory() = default;
    CS_CoordinateSystemAuthorityFactory(const CS_CoordinateSystemAuthorityFactory&) = default;
    CS_CoordinateSystemAuthorityFactory&
    operator=(const CS_CoordinateSystemAuthorityFactory&) = default;
    ~CS_CoordinateSystemAuthorityFactory() = default;
};

#endif
