// One ODBC handle (environment, connection or statement), freed when it goes.
#pragma once

#include <cstdint>
#include <memory>

namespace vorn::rdo {

class OdbcHandle {
public:
    enum class Kind : std::int16_t { Environment = 1, Connection = 2, Statement = 3 };

    /// \throws DatabaseError when the driver manager refuses.
    OdbcHandle(Kind kind, const OdbcHandle* parent);

    void* get() const noexcept { return handle_.get(); }
    std::int16_t type() const noexcept { return static_cast<std::int16_t>(kind_); }
    /// Frees the handle now; a connection is disconnected first.
    void reset() noexcept { handle_.reset(); }

private:
    struct Freer {
        Kind kind;
        void operator()(void* handle) const noexcept;
    };
    Kind kind_;
    std::unique_ptr<void, Freer> handle_;
};

} // namespace vorn::rdo
