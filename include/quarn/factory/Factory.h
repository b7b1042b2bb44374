// The factory and its registries: the one way objects come into existence, the owner of
// every object, and the keeper of their canonical form.
#ifndef QUARN_FACTORY_FACTORY_H
#define QUARN_FACTORY_FACTORY_H

#include <quarn/factory/PtrArray.h>
#include <quarn/model/Model.h>
#include <quarn/model/ObjectStore.h>
#include <quarn/wkt/WktParser.h>

#include <memory>

class QuarnRegistryIndex;

// The registry of one object type: registered objects in the order they were added. It
// holds pointers only; the factory creates and destroys the objects.
class QUARN_API CQuarnInfoArray : public CTypedPtrArray<CPtrArray, CS_Info*> {
public:
    CQuarnInfoArray();
    ~CQuarnInfoArray();

    // The first registered object whose name equals `name` ignoring the case of A to Z
    // (whole texts), or null. An empty name finds nothing.
    CS_Info* Find(const wchar_t* name) const;

    // A name that no registered object carries: `name` itself when it is free, otherwise
    // its part before the first `~` followed by `~1`, `~2`, ... The text lives in one
    // buffer of the calling thread until that thread's next GetUniqueName call on any
    // registry. A null or empty name gives an empty result.
    const wchar_t* GetUniqueName(const wchar_t* name) const;

    // The lookup structures over this registry (used inside the library): built on first
    // use, they follow appended elements and start again after any other change.
    QuarnRegistryIndex& Index() const;

private:
    mutable std::unique_ptr<QuarnRegistryIndex> m_index;
};

class QUARN_API CQuarnCoordinateSystemFactory : public CS_CoordinateSystemFactory {
public:
    CQuarnCoordinateSystemFactory();
    CQuarnCoordinateSystemFactory(const CQuarnCoordinateSystemFactory&) = delete;
    CQuarnCoordinateSystemFactory& operator=(const CQuarnCoordinateSystemFactory&) = delete;

    // ---- CS_CoordinateSystemFactory ----
    // XML is not read: always null.
    const CS_CoordinateSystem* CreateFromXML(const wchar_t* xml) override;
    // Reads a WKT text into canonical objects of this factory; the coordinate system the
    // text forms, or null when it forms none. Objects created before a syntax error stay
    // registered. Threads may read on their own factories at the same time; one factory is
    // used by one thread at a time.
    const CS_CoordinateSystem* CreateFromWKT(const wchar_t* wkt) override;
    const CS_CompoundCoordinateSystem*
    CreateCompoundCoordinateSystem(const wchar_t* name, const CS_CoordinateSystem* head,
                                   const CS_CoordinateSystem* tail) override;
    // Builds a fitted vertical system with default corrections on `base`; `toBase` is
    // not used and only axis 0 of `axes` has a place.
    const CS_FittedCoordinateSystem*
    CreateFittedCoordinateSystem(const wchar_t* name, const CS_CoordinateSystem* base,
                                 const wchar_t* toBase,
                                 const CBASESequence<CS_AxisInfo, 3>& axes) override;
    const CS_LocalCoordinateSystem*
    CreateLocalCoordinateSystem(const wchar_t* name, const CS_LocalDatum* datum,
                                const CS_Unit* unit,
                                const CBASESequence<CS_AxisInfo, 3>& axes) override;
    const CS_Ellipsoid* CreateEllipsoid(const wchar_t* name, double semiMajorAxis,
                                        double semiMinorAxis, const CS_LinearUnit* unit) override;
    const CS_Ellipsoid* CreateFlattenedSphere(const wchar_t* name, double semiMajorAxis,
                                              double inverseFlattening,
                                              const CS_LinearUnit* unit) override;
    const CS_ProjectedCoordinateSystem*
    CreateProjectedCoordinateSystem(const wchar_t* name,
                                    const CS_GeographicCoordinateSystem* geographic,
                                    const CS_Projection* projection, const CS_LinearUnit* unit,
                                    const CS_AxisInfo& axis0, const CS_AxisInfo& axis1) override;
    const CS_Projection*
    CreateProjection(const wchar_t* name, const wchar_t* className,
                     const CBASESequence<CS_ProjectionParameter, 11>& parameters) override;
    const CS_HorizontalDatum* CreateHorizontalDatum(const wchar_t* name, long datumType,
                                                    const CS_Ellipsoid* ellipsoid,
                                                    const CS_WGS84ConversionInfo& shift,
                                                    const CS_3DIMInfo& gridFiles) override;
    const CS_PrimeMeridian* CreatePrimeMeridian(const wchar_t* name, const CS_AngularUnit* unit,
                                                double longitude) override;
    const CS_GeographicCoordinateSystem*
    CreateGeographicCoordinateSystem(const wchar_t* name, const CS_AngularUnit* unit,
                                     const CS_HorizontalDatum* datum,
                                     const CS_PrimeMeridian* primeMeridian,
                                     const CS_AxisInfo& axis0, const CS_AxisInfo& axis1) override;
    const CS_LocalDatum* CreateLocalDatum(const wchar_t* name, long datumType) override;
    const CS_VerticalDatum* CreateVerticalDatum(const wchar_t* name, long datumType) override;
    const CS_VerticalCoordinateSystem*
    CreateVerticalCoordinateSystem(const wchar_t* name, const CS_VerticalDatum* datum,
                                   const CS_LinearUnit* unit, const CS_AxisInfo& axis) override;

    // Destroys every object this factory registered.
    virtual ~CQuarnCoordinateSystemFactory();

    virtual const CS_FittedCoordinateSystem*
    CreateFittedHorizontalCoordinateSystem(const wchar_t* name, const CS_CoordinateSystem* base,
                                           double e0, double n0, double k, double de, double dn,
                                           double beta);
    virtual const CS_FittedCoordinateSystem*
    CreateFittedVerticalCoordinateSystem(const wchar_t* name, const CS_CoordinateSystem* base,
                                         double dH, double gl, double gg, double l0, double g0);
    virtual const CS_LinearUnit* CreateLinearUnit(const wchar_t* name, double metersPerUnit);
    virtual const CS_AngularUnit* CreateAngularUnit(const wchar_t* name, double radiansPerUnit);

    // Registers `item` under the object type `type`, first giving it a unique name (except
    // projections, which keep theirs). Returns its index in the registry, or -1 for a null
    // item or a type outside 0 to 15. The factory owns the item from then on.
    virtual int AddItem(long type, CS_Info* item);
    // The registry's unique name for `name` (see CQuarnInfoArray::GetUniqueName).
    virtual const wchar_t* GetUniqueName(long type, const wchar_t* name) const;
    // How the create operations register an object of their own making: exactly AddItem.
    // A factory of this very class skips what would change nothing: the unique name of a
    // name no registered object has is the name itself.
    int RegisterNew(long type, CS_Info* item);

    const CS_GeocentricCoordinateSystem* CreateGeocentricCoordinateSystem(
        const wchar_t* name, const CS_LinearUnit* unit, const CS_HorizontalDatum* datum,
        const CS_PrimeMeridian* primeMeridian, const CS_AxisInfo& axis0, const CS_AxisInfo& axis1,
        const CS_AxisInfo& axis2);

    // Removes `item` from the registry of its object type and destroys it; an object this
    // factory did not register (or null) is left alone.
    void DeleteItem(const CS_Info* item);
    // Destroys every registered object, each exactly once, and empties the registries.
    void RemoveAll();
    // The registry of an object type, for reading. A type outside 0 to 15 gives an empty
    // registry.
    const CQuarnInfoArray& GetProductLine(long type) const;
    // The first registered projection, other than `projection` itself, that equals it.
    const CS_Projection* FindEqualProjection(const CS_Projection* projection) const;

    // Where and why the last reading of a text stopped (CreateFromWKT and the readers built
    // on it); a clean reading leaves a record without error.
    const QuarnParseDiagnostic& GetLastDiagnostic() const { return m_parser.GetDiagnostic(); }
    // Lets a reader built on this factory (UTF-8 input, the authority factory) record a
    // failure found before the text reached the parser.
    void SetLastDiagnostic(const QuarnParseDiagnostic& diagnostic) {
        m_parser.Diagnostic() = diagnostic;
    }
    // Lets such a reader write a text of `length` characters (and its terminator) straight
    // into the parser's own copy: CreateFromWKT of the room reads it without copying it.
    wchar_t* WktInputRoom(std::size_t length) { return m_parser.InputRoom(length); }

private:
    // Destroys what the factory's destruction must when the store's objects may simply go
    // with its blocks; false (nothing done) when they may not.
    bool LetStoreObjectsGo();

    // The memory of the objects this factory makes; it goes last, after every object.
    QuarnObjectStore m_objects;
    CQuarnInfoArray m_productLines[kQuarnObjectTypeCount];
    // Reads WKT for CreateFromWKT; its rule actions call back into this factory.
    CQuarnWKTCoordinateSystemParser m_parser;
};

#endif
