#include "platform/automation/com_error.h"

#include <cstdio>
#include <exception>
#include <new>

namespace vorn::automation {

std::string describe(HRESULT code) {
    switch (code) {
    case S_OK:
        return "The operation completed successfully.";
    case E_NOTIMPL:
        return "Not implemented";
    case E_NOINTERFACE:
        return "No such interface supported";
    case E_POINTER:
        return "Invalid pointer";
    case E_FAIL:
        return "Unspecified error";
    case E_UNEXPECTED:
        return "Catastrophic failure";
    case E_OUTOFMEMORY:
        return "Out of memory";
    case E_INVALIDARG:
        return "The parameter is incorrect.";
    case CLASS_E_NOAGGREGATION:
        return "Class does not support aggregation (or class object is remote)";
    case CLASS_E_CLASSNOTAVAILABLE:
        return "ClassFactory cannot supply requested class";
    case DISP_E_UNKNOWNINTERFACE:
        return "Unknown interface.";
    case DISP_E_MEMBERNOTFOUND:
        return "Member not found.";
    case DISP_E_PARAMNOTFOUND:
        return "Parameter not found.";
    case DISP_E_TYPEMISMATCH:
        return "Type mismatch.";
    case DISP_E_UNKNOWNNAME:
        return "Unknown name.";
    case DISP_E_NONAMEDARGS:
        return "No named arguments.";
    case DISP_E_BADVARTYPE:
        return "Bad variable type.";
    case DISP_E_EXCEPTION:
        return "Exception occurred.";
    case DISP_E_OVERFLOW:
        return "Out of present range.";
    case DISP_E_BADINDEX:
        return "Invalid index.";
    case DISP_E_BADPARAMCOUNT:
        return "Invalid number of parameters.";
    case DISP_E_PARAMNOTOPTIONAL:
        return "Parameter not optional.";
    case RPC_E_WRONG_THREAD:
        return "The application called an interface that was marshalled for a different thread.";
    default:
        break;
    }
    if ((static_cast<std::uint32_t>(code) & 0xFFFF0000u) == 0x800A0000u) {
        switch (static_cast<BasicError>(code & 0xFFFF)) {
        case BasicError::InvalidProcedureCall:
            return "Invalid procedure call or argument";
        case BasicError::Overflow:
            return "Overflow";
        case BasicError::SubscriptOutOfRange:
            return "Subscript out of range";
        case BasicError::TypeMismatch:
            return "Type mismatch";
        case BasicError::FileNotFound:
            return "File not found";
        case BasicError::PermissionDenied:
            return "Permission denied";
        case BasicError::ObjectVariableNotSet:
            return "Object variable or With block variable not set";
        case BasicError::InvalidUseOfNull:
            return "Invalid use of Null";
        case BasicError::ObjectRequired:
            return "Object required";
        case BasicError::MemberNotSupported:
            return "Object doesn't support this property or method";
        }
        return "Application-defined or object-defined error";
    }
    char text[48];
    std::snprintf(text, sizeof text, "Automation error 0x%08X", static_cast<unsigned>(code));
    return text;
}

ComError::ComError(HRESULT code) : ComError(code, describe(code)) {}

ComError::ComError(HRESULT code, std::string description, std::string source)
    : std::runtime_error(description), code_(code), description_(std::move(description)),
      source_(source.empty() ? std::string(kErrorSource) : std::move(source)) {}

ComError::ComError(BasicError error) : ComError(basicCode(error)) {}

ComError::ComError(BasicError error, std::string description)
    : ComError(basicCode(error), std::move(description)) {}

CaughtError currentError() noexcept {
    try {
        throw;
    } catch (const ComError& e) {
        return {e.code(), e.description(), e.source()};
    } catch (const std::bad_alloc&) {
        return {E_OUTOFMEMORY, describe(E_OUTOFMEMORY), kErrorSource};
    } catch (const std::exception& e) {
        return {E_FAIL, e.what(), kErrorSource};
    } catch (...) {
        return {E_UNEXPECTED, describe(E_UNEXPECTED), kErrorSource};
    }
}

} // namespace vorn::automation
