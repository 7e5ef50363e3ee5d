// The runtime's table of built classes, keyed by name.
#ifndef PLATFORM_SOM_CLASS_TABLE_H
#define PLATFORM_SOM_CLASS_TABLE_H

#include "platform/som/som_private.h"

#include <map>
#include <mutex>
#include <string_view>

namespace som {

class ClassTable {
public:
    static ClassTable& Instance();

    // Held while a class is checked and built, so a name is built once.
    std::mutex& Lock() { return mutex_; }

    SOMClass* Find(std::string_view name) const; // caller holds the lock
    void Insert(std::unique_ptr<SOMClass> cls);  // caller holds the lock
    uint32_t Size() const { return static_cast<uint32_t>(classes_.size()); }

private:
    std::mutex mutex_;
    std::map<std::string, std::unique_ptr<SOMClass>, std::less<>> classes_;
};

} // namespace som

#endif
