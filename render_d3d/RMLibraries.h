// Offers the retained-mode layer's entry points on the running system under the library names
// the version probe asks for ("DDRAW.DLL", "D3DRM.DLL").
#pragma once

// Idempotent; the probe runs it before it looks at the system.
void RegisterRMLibraries();
