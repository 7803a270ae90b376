// How the saved operations and the key table reach each other: the key
// table plays operations and lists them in the keyboard page; the operation
// dialogs add, remove and show the keys bound to operations.
#pragma once

#include <string>
#include <vector>

namespace quarn {

// The saved operations, as the key table sees them.
class OperationLibrary {
 public:
  virtual ~OperationLibrary() = default;
  // The names of the saved operations (at most 100), read afresh.
  virtual std::vector<std::string> ReadOperationList() = 0;
  // False when the last list could not be read (the directory could not be
  // listed): nothing may be taken as gone then.
  virtual bool ListComplete() const { return true; }
  // Plays the saved operation of that name; nothing when it no longer exists.
  virtual void PlayOperation(const std::string& name) = 0;
};

// The key table's operation keys, as the operation dialogs see them.
class OperationKeys {
 public:
  virtual ~OperationKeys() = default;
  // Removes the keys of operations that no longer exist (saves when any went).
  virtual void PurgeOperationKeys() = 0;
  // Removes every key bound to the operation (saves when any went).
  virtual void RemoveOperationKeys(const std::string& name) = 0;
  // Binds the key; false after message 59431 or 59432 when it cannot.
  virtual bool AddOperationKey(int key, int modifiers, const std::string& name) = 0;
  virtual void SaveKeys() = 0;
  // The name of the first key bound to the operation, or "".
  virtual std::string OperationKeyName(const std::string& name) const = 0;
};

// Installed at start-up by the application; null until then (and in tests
// that install nothing).
OperationLibrary* InstalledOperationLibrary();
void InstallOperationLibrary(OperationLibrary* library);
OperationKeys* InstalledOperationKeys();
void InstallOperationKeys(OperationKeys* keys);

}  // namespace quarn
