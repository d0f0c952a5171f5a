#pragma once
// The parameter buffers of an attachment and of a transaction, built from lines
// "name=value" as the connection and the transaction hold them.
#include <string>
#include <vector>

namespace trev {

// Version byte 1, then one item per line. Raises DatabaseError
// "DPB Constant (isc_dpb_%s) is unsupported" / "DPB Constant (%s) is unknown".
std::string buildDatabaseParams(const std::vector<std::string>& params);

// Empty without lines; else version byte 3, then one item per line. Raises
// "TPB Constant (isc_tpb_%s) is unsupported" / "TPB Constant (%s) is unknown".
std::string buildTransactionParams(const std::vector<std::string>& params);

// The service manager's buffer: its version, then the login ("user_name",
// "password") of the same lines; the other lines do not concern a service.
std::string buildServiceParams(const std::vector<std::string>& params);

}  // namespace trev
