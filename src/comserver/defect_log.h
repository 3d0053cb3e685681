// Where the DLL writes its own defects: the file Pinlet.log in the add-in's
// user folder (the "MyDir" value of HKEY_CURRENT_USER\Software\Zarvo\Pinlet,
// written by the installer), or in the temporary folder when that value is
// missing or names no existing folder. One line per defect: the local time
// and what happened, in UTF-8.
//
// The DLL installs AppendDefect as the COM layer's defect recorder when it
// loads (com::SetDefectRecorder). Writing never raises: a log that cannot be
// written loses the line, and the caller still gets E_UNEXPECTED.
#ifndef PINLET_COMSERVER_DEFECT_LOG_H_
#define PINLET_COMSERVER_DEFECT_LOG_H_

#include <string>

namespace pinlet::com {

// The log file's full path, looked up anew at every call, so that a change
// of the user folder applies at once.
std::wstring DefectLogPath();

// Appends one line "YYYY-MM-DD hh:mm:ss  <what>" to the log; line breaks in
// `what` become spaces.
void AppendDefect(const std::string& what);

}  // namespace pinlet::com

#endif  // PINLET_COMSERVER_DEFECT_LOG_H_
