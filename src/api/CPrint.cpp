// CPrint: the original's public class, over the process's default session.
// Every object works on the same session, so that a second CPrint sees what
// the first set up.
#include "tipolaria/cprint.hpp"

#include "api/ComponentState.hpp"

namespace tipolaria {

using detail::DefaultSession;

bool CPrint::Init(const std::string& ConectionString) {
  return DefaultSession().Init(ConectionString);
}
bool CPrint::CleanIMP() { return DefaultSession().CleanIMP(); }
bool CPrint::Finalize() { return DefaultSession().Finalize(); }
bool CPrint::InitializePagesData() { return DefaultSession().InitializePagesData(); }

std::string CPrint::GenerateIMP(const std::string& pNombreDespachante, const std::string& pIddtext,
                                const std::string& pIdOrig, const std::string& pFecOfi,
                                std::int16_t pOper, const std::string& pCanal,
                                const std::string& pRamo, const std::string& pMorado,
                                const std::string& pOrg, const std::string& pEta) {
  return DefaultSession().GenerateIMP(pNombreDespachante, pIddtext, pIdOrig, pFecOfi, pOper, pCanal,
                                      pRamo, pMorado, pOrg, pEta);
}

std::string CPrint::PrintPDFCaratula(const std::string& path) {
  return DefaultSession().PrintPDFCaratula(path);
}
std::string CPrint::PrintPDFSubItems(const std::string& path) {
  return DefaultSession().PrintPDFSubItems(path);
}

void CPrint::SetHojaDesde(std::int16_t value) { DefaultSession().SetHojaDesde(value); }
void CPrint::SetHojaHasta(std::int16_t value) { DefaultSession().SetHojaHasta(value); }
std::string CPrint::GetHojaDesde() { return DefaultSession().GetHojaDesde(); }
std::string CPrint::GetHojaHasta() { return DefaultSession().GetHojaHasta(); }
void CPrint::SetCopias(std::int16_t value) { DefaultSession().SetCopias(value); }
std::string CPrint::GetCopias() { return DefaultSession().GetCopias(); }
void CPrint::SetCaratulaHojas(std::int16_t value) { DefaultSession().SetCaratulaHojas(value); }
std::string CPrint::GetCaratulaHojas() { return DefaultSession().GetCaratulaHojas(); }
void CPrint::SetReferenciaCliente(const std::string& value) {
  DefaultSession().SetReferenciaCliente(value);
}
std::string CPrint::GetReferenciaCliente() { return DefaultSession().GetReferenciaCliente(); }

void CPrint::SetLogo(const std::string& png_path) { DefaultSession().SetLogo(png_path); }
void CPrint::SetLockTimeout(std::int32_t seconds) { DefaultSession().SetLockTimeout(seconds); }
void CPrint::SetSqlLog(const std::string& path) { DefaultSession().SetSqlLog(path); }
void CPrint::SetOperDate(const std::string& date) { DefaultSession().SetOperDate(date); }

}  // namespace tipolaria
