#include "core/keys/OperationLinks.h"

namespace quarn {
namespace {

OperationLibrary* gLibrary = nullptr;
OperationKeys* gKeys = nullptr;

}  // namespace

OperationLibrary* InstalledOperationLibrary() { return gLibrary; }
void InstallOperationLibrary(OperationLibrary* library) { gLibrary = library; }
OperationKeys* InstalledOperationKeys() { return gKeys; }
void InstallOperationKeys(OperationKeys* keys) { gKeys = keys; }

}  // namespace quarn
