// A CUPS destination that print jobs are handed to. libcups finds the server
// itself (CUPS_SERVER, client.conf or the local scheduler).
#pragma once

#include "platform/engine/printing/job_option.h"

#include <string>

namespace vorn::engine {

class CupsQueue {
public:
    /// Looks the destination up: `name`, or when empty the one PRINTER names,
    /// or the default destination.
    /// A queue that is stopped still takes jobs and holds them until it is
    /// started again; one that refuses jobs is reported here, before any
    /// page is drawn for it.
    /// \throws EngineError kNotFound when there is no such destination or no
    ///         default, kFail with the printer's name and the administrator's
    ///         reason when it refuses jobs.
    explicit CupsQueue(const std::string& name = {});

    const std::string& name() const noexcept { return name_; }

    /// Submits a PDF file as one job and returns the job's number. The file is
    /// sent before this returns, so the caller may delete it afterwards.
    /// \throws EngineError kFail when the server refuses the job.
    int submitPdf(const std::string& path, const std::string& title,
                  const JobOptions& options = {}) const;

private:
    std::string name_;
};

} // namespace vorn::engine
