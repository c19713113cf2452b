#pragma once

#include "ccpobject.h"
#include "recordtypes.h"

#include <memory>
#include <typeinfo>

// Base of a record class T (derived from Base): its records answer GetTypeCode, GetTypeName
// and GetImageIndex from T's row of the type table.
template <class T, class Base = CCPObject> class CCPTypedRecord : public Base
{
public:
    using Base::Base;

    const CRecordType& GetRecordType() const override
    {
        static const CRecordType& type = RecordTypeOf(typeid(T));
        return type;
    }
};

// The same, for a record whose fields are all copied and assigned as they stand: what an
// undo step keeps of it is a copy of the whole record. A record that owns other records or
// holds a picture defines CopyFields and AssignFields itself (CCPTypedRecord).
template <class T, class Base = CCPObject> class CCPRecord : public CCPTypedRecord<T, Base>
{
public:
    using CCPTypedRecord<T, Base>::CCPTypedRecord;

    std::unique_ptr<CCPObject> CopyFields() const override
    {
        return std::make_unique<T>(static_cast<const T&>(*this));
    }
    void AssignFields(const CCPObject& from) override
    {
        static_cast<T&>(*this) = static_cast<const T&>(from);
    }
};
