#pragma once

#include "HostObject.h"

#include <string>
#include <vector>

namespace vbs {

// WshSpecialFolders: the folders scripts ask for by their other system's names, answered with
// the desktop's own. The user folders come from the XDG user-dirs file; the rest from the
// base directories. A name with no counterpart gives "", as an unknown name does there.
class DesktopFolders : public HostObject {
public:
    bool hasMember(const std::string &name) const override;
    Value invoke(const std::string &name, std::vector<Value> &args) override;
    void setProperty(const std::string &name, std::vector<Value> &args,
                     const Value &value) override;
    bool enumerate(std::vector<Value> &out) override;
    std::string typeName() const override { return "IWshCollection"; }

    // The folder of that name, or "" for a name with no counterpart here.
    static std::string path(const std::string &name);
    // The names that have a counterpart, in the collection's order.
    static const std::vector<std::string> &names();

    // A folder of the user-dirs file (key like "DESKTOP"), else home/fallback.
    static std::string userDir(const std::string &key, const std::string &fallback);
};

} // namespace vbs
