#pragma once
// The instrument link's port, as the reception sees it.

namespace veldran {

class ReceptionPort {
public:
    virtual ~ReceptionPort() = default;
    // Whether a reception can start; a link that is closed may try to open its port again here.
    virtual bool OpenForReception() = 0;
    virtual void PurgePort() = 0;
};

} // namespace veldran
