#include <quarn/factory/Factory.h>

#include "factory/ByObjectType.h"

#include <algorithm>
#include <typeinfo>
#include <unordered_set>
#include <vector>

using namespace quarn::detail;

namespace {

bool IsObjectType(long type) {
    return type >= 0 && type < kQuarnObjectTypeCount;
}

} // namespace

CQuarnCoordinateSystemFactory::CQuarnCoordinateSystemFactory() : m_parser(this) {}

CQuarnCoordinateSystemFactory::~CQuarnCoordinateSystemFactory() {
    // The objects' room goes with the store: no use keeping it for reuse.
    m_objects.Close();
    if (!LetStoreObjectsGo()) RemoveAll();
}

bool CQuarnCoordinateSystemFactory::LetStoreObjectsGo() {
    // Unless one of the store's objects took memory outside it, their destructors would free
    // nothing the store's blocks do not: those in its newest blocks (all of them in a factory
    // of a few texts) go with the blocks untouched. Every other registered object (a host's,
    // or one in an older block) is destroyed.
    constexpr int kFewBlocks = 4;
    if (m_objects.HasForeign()) return false;
    std::vector<CS_Info*> hosts;
    for (const CQuarnInfoArray& line : m_productLines) {
        for (int i = 0; i < line.GetSize(); ++i) {
            CS_Info* item = line.GetAt(i);
            if (item == nullptr || m_objects.Holds(item, kFewBlocks)) continue;
            hosts.push_back(item);
        }
    }
    // A host may have registered one object twice: it is destroyed once.
    std::sort(hosts.begin(), hosts.end());
    hosts.erase(std::unique(hosts.begin(), hosts.end()), hosts.end());
    for (CS_Info* item : hosts)
        DestroyInfo(item);
    return true;
}

int CQuarnCoordinateSystemFactory::AddItem(long type, CS_Info* item) {
    if (item == nullptr || !IsObjectType(type)) return -1;
    // Projections keep their own names: several may share one.
    if (type != kQuarnProjection) item->SetName(GetUniqueName(type, item->GetName()));
    return m_productLines[type].Add(item);
}

int CQuarnCoordinateSystemFactory::RegisterNew(long type, CS_Info* item) {
    // A derived factory may do anything in AddItem or GetUniqueName: it is asked.
    if (typeid(*this) != typeid(CQuarnCoordinateSystemFactory)) return AddItem(type, item);
    if (item == nullptr || !IsObjectType(type)) return -1;
    CQuarnInfoArray& line = m_productLines[type];
    if (type != kQuarnProjection && line.Find(item->GetName()) != nullptr)
        item->SetName(line.GetUniqueName(item->GetName()));
    return line.Add(item);
}

const wchar_t* CQuarnCoordinateSystemFactory::GetUniqueName(long type, const wchar_t* name) const {
    return GetProductLine(type).GetUniqueName(name);
}

const CQuarnInfoArray& CQuarnCoordinateSystemFactory::GetProductLine(long type) const {
    static const CQuarnInfoArray empty;
    return IsObjectType(type) ? m_productLines[type] : empty;
}

void CQuarnCoordinateSystemFactory::DeleteItem(const CS_Info* item) {
    if (item == nullptr) return;
    long type = item->GetObjectType();
    if (!IsObjectType(type)) return;
    bool removed = false;
    CQuarnInfoArray& line = m_productLines[type];
    for (int i = line.GetSize() - 1; i >= 0; --i) {
        if (line.GetAt(i) == item) {
            line.RemoveAt(i);
            removed = true;
        }
    }
    if (!removed) return;
    // A host may have registered the same object under another type as well; no registry
    // may keep a pointer to an object that is about to be destroyed.
    for (CQuarnInfoArray& other : m_productLines) {
        for (int i = other.GetSize() - 1; i >= 0; --i)
            if (other.GetAt(i) == item) other.RemoveAt(i);
    }
    DestroyInfo(const_cast<CS_Info*>(item));
}

void CQuarnCoordinateSystemFactory::RemoveAll() {
    // An object registered twice is still destroyed once. Only a host can register one
    // object twice: a sorted copy of the pointers tells whether it did, and only then is
    // each object looked up before it is destroyed.
    std::size_t count = 0;
    for (const CQuarnInfoArray& line : m_productLines)
        count += static_cast<std::size_t>(line.GetSize());
    // A factory that read one text holds a dozen objects: their copy stays on the stack.
    constexpr std::size_t kOnStack = 64;
    CS_Info* onStack[kOnStack];
    std::vector<CS_Info*> onHeap(count > kOnStack ? count : 0);
    CS_Info** all = count > kOnStack ? onHeap.data() : onStack;
    std::size_t filled = 0;
    for (const CQuarnInfoArray& line : m_productLines) {
        for (int i = 0; i < line.GetSize(); ++i)
            if (line.GetAt(i) != nullptr) all[filled++] = line.GetAt(i);
    }
    std::sort(all, all + filled);
    const bool repeated = std::adjacent_find(all, all + filled) != all + filled;
    std::unordered_set<CS_Info*> destroyed;
    for (CQuarnInfoArray& line : m_productLines) {
        for (int i = 0; i < line.GetSize(); ++i) {
            CS_Info* item = line.GetAt(i);
            if (item != nullptr && (!repeated || destroyed.insert(item).second)) DestroyInfo(item);
        }
        line.RemoveAll();
    }
}
