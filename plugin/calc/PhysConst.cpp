#include "PhysConst.h"

#include <array>
#include <cwchar>

#include "wcrt.h"

namespace {

struct PhysConstant {
    const wchar_t* name;
    double value;
};

// Names are matched against formula text in this order, taking as many
// characters as the name has; so a longer name that begins like a shorter one
// ("_h_BAR_MeVs", "_h_BAR", "_h") must stand before it. "_Alpha" is 259
// exactly: it is this table's own constant, not the fine-structure constant.
constexpr std::array<PhysConstant, 44> kConstants = {{
    {L"_LAMBDA_BAR_e", 3.86159323e-13},
    {L"_SIGMA_0_BARN", 0.66524616},
    {L"_SIN2_THETA_W", 0.23192},
    {L"_h_BAR_MeVs", 6.582122e-22},
    {L"_MU_B_MeV_T", 5.78838263e-11},
    {L"_LAMBDA_1EV", 1.23984244e-06},
    {L"_MU_N_MeV_T", 3.15245166e-14},
    {L"_R_INF_EV", 13.6056981},
    {L"_SIGMA_SB", 5.67051e-08},
    {L"_LAMBDAT", 0.002897756},
    {L"_m_D_MeV", 1875.61339},
    {L"_m_e_MeV", 0.51099906},
    {L"_m_P_MeV", 938.27231},
    {L"_m_P_M_E", 1836.152701},
    {L"_V_MOLAR", 0.0224141},
    {L"_hBARc2", 0.38937966},
    {L"_K_B_EV", 8.617385e-05},
    {L"_m_e_kg", 9.1093897e-31},
    {L"_m_P_kg", 1.6726231e-27},
    {L"_Alpha", 259.0},
    {L"_EPS_0", 8.854187817e-12},
    {L"_e_ESU", 4.8032068e-10},
    {L"_E_M_e", 175881962000.0},
    {L"_E_M_P", 95788309.0},
    {L"_h_BAR", 1.05457266e-34},
    {L"_hBARc", 197.327053},
    {L"_m_P_u", 1.00727647},
    {L"_u_MeV", 931.49432},
    {L"_G_SI", 6.67259e-11},
    {L"_M_Z0", 91.187},
    {L"_MU_0", 1.2566370614e-06},
    {L"_u_kg", 1.6605402e-27},
    {L"_a_0", 5.29177249e-11},
    {L"_e_C", 1.60217733e-19},
    {L"_G_F", 1.16639e-05},
    {L"_G_P", 6.70711e-39},
    {L"_G_S", 0.117},
    {L"_K_B", 1.380658e-23},
    {L"_M_W", 80.22},
    {L"_N_A", 6.0221367e+23},
    {L"_r_e", 2.81794092e-15},
    {L"_c", 299792458.0},
    {L"_h", 6.6260755e-34},
    {L"_g", 9.80665},
}};

const std::wstring kEmptyName;
const std::wstring kEndMarker = L"***";

// The names as strings, built once: entry 0 empty, then the table in order.
const std::array<std::wstring, kConstants.size() + 1>& constantNames() {
    static const auto names = [] {
        std::array<std::wstring, kConstants.size() + 1> list;
        for (size_t i = 0; i < kConstants.size(); ++i) list[i + 1] = kConstants[i].name;
        return list;
    }();
    return names;
}

}  // namespace

CPhysConst::CPhysConst() = default;

CPhysConst::~CPhysConst() = default;

const std::wstring& CPhysConst::GetConstantName(int index) const {
    const auto& names = constantNames();
    if (index <= 0) return kEmptyName;
    if (static_cast<size_t>(index) >= names.size()) return kEndMarker;
    return names[static_cast<size_t>(index)];
}

double CPhysConst::GetConstantValue(const std::wstring& name) const {
    for (const PhysConstant& constant : kConstants) {
        if (_wcsicmp(constant.name, name.c_str()) == 0) return constant.value;
    }
    return 0.0;
}
