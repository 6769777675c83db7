// The slot numbers of the tables the module shares with the network library, the IPC library,
// the Tessik privilege store and the Fennick account library, pinned one by one to the order the
// contract gives (slots it leaves open are pinned as the headers number them).
#include <gtest/gtest.h>

#include "SlotOf.h"
#include "family/FennickAccount.h"
#include "family/Netvok.h"
#include "family/PrivilegeStore.h"
#include "family/SheerIpc.h"

namespace {

using testing_support::SlotOf;

TEST(NetvokSlots, FactoryRequestAndResponse) {
  EXPECT_EQ(SlotOf(&netvok::IHttpFactory::Release), 0u);
  EXPECT_EQ(SlotOf(&netvok::IHttpFactory::CreateResponse), 5u);
  EXPECT_EQ(SlotOf(&netvok::IHttpFactory::CreateRequest), 6u);
  EXPECT_EQ(SlotOf(&netvok::IHttpRequest::Release), 0u);
  EXPECT_EQ(SlotOf(&netvok::IHttpRequest::SetHeader), 1u);
  EXPECT_EQ(SlotOf(&netvok::IHttpRequest::SetTimeout), 3u);
  EXPECT_EQ(SlotOf(&netvok::IHttpRequest::Download), 6u);
  EXPECT_EQ(SlotOf(&netvok::IHttpRequest::Perform), 7u);
  EXPECT_EQ(SlotOf(&netvok::IHttpRequest::SetProgress), 11u);
  EXPECT_EQ(SlotOf(&netvok::IHttpRequest::TlsSettings), 12u);
  EXPECT_EQ(SlotOf(&netvok::IHttpResponse::Release), 0u);
  EXPECT_EQ(SlotOf(&netvok::IHttpResponse::StatusCode), 1u);
  EXPECT_EQ(SlotOf(&netvok::IHttpResponse::Body), 2u);
}

TEST(NetvokSlots, BodyTlsSettingsAndProgress) {
  EXPECT_EQ(SlotOf(&netvok::IBodyBuffer::Data), 3u);
  EXPECT_EQ(SlotOf(&netvok::IBodyBuffer::Size), 4u);
  EXPECT_EQ(SlotOf(&netvok::ITlsSettings::SetVerifyPeer), 3u);
  EXPECT_EQ(SlotOf(&netvok::ITlsSettings::SetCaBundle), 4u);
  EXPECT_EQ(SlotOf(&netvok::ITlsSettings::SetVerifyHost), 11u);
  EXPECT_EQ(SlotOf(&netvok::IHttpProgress::OnReceiveProgress), 0u);
  EXPECT_EQ(SlotOf(&netvok::IHttpProgress::OnSendProgress), 1u);
  EXPECT_EQ(SlotOf(&netvok::IHttpProgress::DeletingDestructor), 2u);
}

TEST(IpcSlots, BundleClientServerAndServedFunction) {
  EXPECT_EQ(SlotOf(&tandipc::ITandIpcBundle::Release), 0u);
  EXPECT_EQ(SlotOf(&tandipc::ITandIpcBundle::PutInt), 1u);
  EXPECT_EQ(SlotOf(&tandipc::ITandIpcBundle::PutString), 2u);
  EXPECT_EQ(SlotOf(&tandipc::ITandIpcBundle::GetInt), 5u);
  EXPECT_EQ(SlotOf(&tandipc::ITandIpcBundle::GetString), 6u);
  EXPECT_EQ(SlotOf(&tandipc::ITandIpcBundle::Clear), 10u);
  EXPECT_EQ(SlotOf(&tandipc::ITandIpcBundle::Store), 13u);
  EXPECT_EQ(SlotOf(&qm::IBundle::CopyTo), 24u);  // the store's copy into a typed bundle
  EXPECT_EQ(SlotOf(&tandipc::ITandIpcClient::Release), 0u);
  EXPECT_EQ(SlotOf(&tandipc::ITandIpcClient::Connect), 1u);
  EXPECT_EQ(SlotOf(&tandipc::ITandIpcClient::Close), 2u);
  EXPECT_EQ(SlotOf(&tandipc::ITandIpcClient::Call), 3u);
  EXPECT_EQ(SlotOf(&tandipc::ITandIpcServer::Release), 0u);
  EXPECT_EQ(SlotOf(&tandipc::ITandIpcServer::RegisterFunction), 1u);
  EXPECT_EQ(SlotOf(&tandipc::ITandIpcServer::Start), 3u);
  EXPECT_EQ(SlotOf(&tandipc::ITandIpcExecObject::Release), 0u);
  EXPECT_EQ(SlotOf(&tandipc::ITandIpcExecObject::Execute), 1u);
}

TEST(PrivilegeSlots, BothLibrariesAnswerForAName) {
  EXPECT_EQ(SlotOf(&vdpriv::IPrivilegeQuery::HasPrivilege), 9u);
  EXPECT_EQ(SlotOf(&vdpriv::IPrivilegeObject::QueryInterface), 0u);
  EXPECT_EQ(SlotOf(&vdpriv::IPrivilegeObject::Release), 2u);
  EXPECT_EQ(SlotOf(&vdpriv::IPrivilegeObject::HasPrivilege), 4u);
}

TEST(AccountSlots, AccountObserverAndService) {
  EXPECT_EQ(SlotOf(&fkaccount::IFkAccount::GetAccountInfo), 0u);
  EXPECT_EQ(SlotOf(&fkaccount::IFkAccount::AddObserver), 1u);
  EXPECT_EQ(SlotOf(&fkaccount::IFkAccount::RemoveObserver), 2u);
  EXPECT_EQ(SlotOf(&fkaccount::IFkAccount::Release), 3u);
  EXPECT_EQ(SlotOf(&fkaccount::IFkAccountInfoObserver::OnAccountInfoChanged), 0u);
  EXPECT_EQ(SlotOf(&fkaccount::IFkAccountService::Release), 1u);
}

}  // namespace
