#pragma once

namespace report {

// The module's two record tables: "name:id" and then "field:type" per field, single spaces.
inline constexpr wchar_t kNewUserPopSchema[] =
    L"tessik_pdfnewuser_pop:9083 adshow:byte adclick:byte noshowreason:int ver:byte adtype:byte";
inline constexpr wchar_t kVipPopSchema[] =
    L"tessik_wypdf_vippop:7948 product_id:int ver:int click:int usertype:int function_id:int item1:int "
    L"show_from:int type2:int pop_show:int show_type:int";

}  // namespace report
