#!/usr/bin/env python3
"""The local VIP-centre service holds config and price requests to the module's contract."""

import hashlib
import hmac
import http.client
import json
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SERVICE = os.path.join(HERE, "vipcenter.py")
with open(os.path.join(HERE, "scenarios.json"), encoding="utf-8") as f:
    DOCUMENT = json.load(f)
KEY = DOCUMENT["signing_key"].encode("utf-8")
# What WinHTTP and the client add, as the module's requests arrive.
TRANSPORT = [("Host", "127.0.0.1"), ("Connection", "Keep-Alive"), ("User-Agent", "Mozilla/5.0 (Windows NT 10.0)")]
JSON = [("Content-Type", "application/json; charset=utf-8"), ("Accept", "application/json")]


def config_body(**change):
    body = {"common": {"open_id": "open-\u00fc", "token": "tok-1", "server_id": "svr-9", "tryno": "-1"},
            "type": "device_upgrade_show", "name": "Home"}
    return {**body, **change}


def price_body(orbilant, **change):
    body = {"common": {"uuid": "uuid-1", "server_id": "svr-9", "user_agent": "web", "tryno": "7", "tid1": 11,
                       "tid2": 12, "tod1": 13, "tod2": -294967296},
            "open_id": "open-1", "token": "tok-1", "show": [101], "time_type": 0, "is_continuous": 0, "is_all": 1}
    if orbilant:
        del body["token"]
        body["with_permission_show"] = False
    return {**body, **change}


def signed(raw, key=KEY):
    return JSON + [("X-Qm-Authorization", hmac.new(key, raw, hashlib.md5).hexdigest()), ("X-Qm-Gray-Key", "7"),
                   ("X-Qm-Productid", "2")]


def fixed(headers):
    return lambda raw: headers


plain = fixed(JSON)
T, O = "t/api/v2/", "o/center/"
GOOD = [("tessik_config", T + "config", config_body(), plain),
        ("tessik_price", T + "price", price_body(False), plain),
        ("orbilant_config", O + "config", config_body(), plain),
        ("orbilant_price", O + "price", price_body(True), signed)]
# tag, method, path, body, headers, a violation it must report
BAD = [
    ("stray_header", "POST", T + "config", config_body(), fixed(JSON + [("X-Trace", "1")]), "header X-Trace"),
    ("no_accept", "POST", O + "config", config_body(), fixed(JSON[:1]), "header accept missing"),
    ("twice_accept", "POST", T + "config", config_body(), fixed(JSON + JSON[1:]), "header accept sent 2 times"),
    ("wrong_hmac", "POST", O + "price", price_body(True), lambda raw: signed(raw, b"other"), "x-qm-authorization is"),
    ("signed_tessik", "POST", T + "price", price_body(False), signed, "unexpected header X-Qm-Productid"),
    ("is_all_true", "POST", T + "price", price_body(False, is_all=True), plain, "member is_all is not 1: true"),
    ("tid1_string", "POST", O + "price", price_body(True, common={**price_body(True)["common"], "tid1": "11"}), signed,
     "member common.tid1 is not a 32-bit integer"),
    ("stray_member", "POST", T + "config", config_body(extra=1), plain, "stray member extra"),
    ("orbilant_token", "POST", O + "price", price_body(True, token="tok-1"), signed, "stray member token"),
    ("get_config", "GET", T + "config", None, plain, "method GET, not POST"),
    ("no_host", "POST", "config", config_body(), plain, "path names neither host"),
    ("not_utf8", "POST", T + "config", b'{"name":"\xff"}', plain, "body is not UTF-8"),
]


class ContractTest(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.state = os.path.join(folder.name, "state")
        self.scenarios = os.path.join(folder.name, "scenarios.json")
        with open(self.scenarios, "w", encoding="utf-8") as f:
            json.dump({**DOCUMENT, "scenarios": {**DOCUMENT["scenarios"], "probe": {"expect_violations": True}}}, f)
        self.assertEqual(self.run_service("start").returncode, 0)
        self.addCleanup(self.run_service, "stop")
        with open(os.path.join(self.state, "state.json"), encoding="utf-8") as f:
            self.port = json.load(f)["http_port"]

    def run_service(self, command):
        extra = ["--port", "0", "--scenarios", self.scenarios] if command == "start" else []
        return subprocess.run([sys.executable, SERVICE, command, "--state-dir", self.state] + extra,
                              capture_output=True, text=True, timeout=30)

    def send(self, scenario, path, body, headers=plain, method="POST"):
        raw = body if isinstance(body, bytes) else b"" if body is None else json.dumps(body).encode("utf-8")
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
        connection.putrequest(method, f"/s/{scenario}/{path}", skip_host=True, skip_accept_encoding=True)
        for name, value in TRANSPORT + [("Content-Length", str(len(raw)))] * (method == "POST") + headers(raw):
            connection.putheader(name, value)
        connection.endheaders(raw)
        response = connection.getresponse()
        answer = response.status, response.read()
        connection.close()
        return answer

    def journal(self, name):
        try:
            with open(os.path.join(self.state, name), encoding="utf-8") as f:
                return {record["scenario"]: record for record in map(json.loads, f)}
        except FileNotFoundError:
            return {}

    def test_good_requests_are_answered(self):
        for tag, path, body, headers in GOOD:
            status, answer = self.send("default~" + tag, path, body, headers)
            self.assertEqual(status, 200, answer)
            wanted = DOCUMENT["scenarios"]["default"]["config" if path.endswith("config") else "prices"]
            self.assertEqual(json.loads(answer), wanted if path.endswith("config") else wanted["101"])
        self.assertEqual(self.send("default~other", "echo", {"x": 1}, fixed([("X-Any", "1")])), (200, b'{"ok":true}'))
        self.assertEqual(self.send("default~file", "files/none", None, method="GET")[0], 404)
        self.assertFalse(any("violations" in record for record in self.journal("requests.jsonl").values()))
        self.assertEqual(self.journal("violations.jsonl"), {})
        self.assertEqual(self.run_service("check").returncode, 0)
        self.assertEqual(self.run_service("stop").returncode, 0)

    def test_bad_requests_are_refused_and_journaled(self):
        for tag, method, path, body, headers, violation in BAD:
            with self.subTest(tag):
                status, answer = self.send("default~" + tag, path, body, headers, method)
                self.assertEqual(status, 400)
                self.assertEqual(json.loads(answer)["error"], "contract")
                self.assertTrue(any(violation in v for v in json.loads(answer)["violations"]), answer)
        logged, violations = self.journal("requests.jsonl"), self.journal("violations.jsonl")
        for tag, *_ in BAD:
            entry, record = violations["default~" + tag], logged["default~" + tag]
            fields = ("seq", "path", "violations")
            self.assertEqual([entry[k] for k in fields], [record[k] for k in fields])
            self.assertIs(entry["expected"], False)
        checked = self.run_service("check")
        self.assertEqual(checked.returncode, 1)
        self.assertTrue(all(f"default~{tag} " in checked.stdout for tag, *_ in BAD), checked.stdout)
        stopped = self.run_service("stop")
        self.assertEqual(stopped.returncode, 1)
        self.assertIn("unexpected header X-Trace", stopped.stdout)
        self.assertFalse(os.path.exists(os.path.join(self.state, "state.json")), "stop stopped the server first")
        self.assertEqual(self.run_service("start").returncode, 0)
        self.assertEqual(self.journal("violations.jsonl"), {}, "start begins a new journal")

    def test_faults_apply_to_valid_requests_only(self):
        self.assertEqual(self.send("config_500~bad", T + "config", config_body(), fixed(JSON[:1]))[0], 400)
        self.assertEqual(self.send("config_500~good", T + "config", config_body())[0], 500)
        self.assertEqual(self.journal("requests.jsonl")["config_500~bad"]["fault"], "")

    def test_a_scenario_may_expect_violations(self):
        self.assertEqual(self.send("probe~x", O + "price", price_body(True, is_all=True), signed)[0], 400)
        self.assertTrue(self.journal("violations.jsonl")["probe~x"]["expected"])
        self.assertEqual(self.run_service("stop").returncode, 0)


if __name__ == "__main__":
    unittest.main()
