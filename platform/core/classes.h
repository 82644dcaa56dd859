// The object model of the framework: TObject, persistent objects that copy
// themselves with Assign, components with owners and free notification, and
// collections of items.
#pragma once

#include <functional>
#include <string>

namespace vx {

class TObject {
 public:
  virtual ~TObject() = default;
  // The class name used in error messages ("TStringList").
  virtual std::string ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

// An object whose state can be copied from another one with Assign. Assign
// asks the source's AssignTo when it does not know the source's class; the
// base AssignTo throws EConvertError "Cannot assign a <source> to a <dest>".
class TPersistent : public TObject {
 public:
  virtual void Assign(const TPersistent* source);
  void Assign(const TPersistent& source) { Assign(&source); }

 protected:
  virtual void AssignTo(TPersistent* dest) const;
};

}  // namespace vx
