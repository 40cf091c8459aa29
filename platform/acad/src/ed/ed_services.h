// The host's services in the system registry ("ACAD_REGISTERED_COMMANDS",
// "DynamicLinker", the document manager), made on first use.
#pragma once

void acrxHostRegisterServices();

// System variables back to their defaults (acedHostReset).
void acedResetSysVars();
