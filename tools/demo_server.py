#!/usr/bin/env python3
"""A small demo exam server for trying the client by hand. Listens on 127.0.0.1 only.

Pages (under /paper/):
  getKdInfo.jsp                 the exam-centre text shown in the login form's caption
  ClientLogin_Exam_Check.jsp    the sign-in check: 0 for the configured pair, -2 otherwise
  ClientLogin_Exam.jsp          the exam page
Texts go out in GBK, as the client expects.
"""
import argparse
import http.server
import urllib.parse


def make_handler(ticket, document, centre):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def reply(self, body, ctype="text/html; charset=GBK"):
            data = body.encode("gbk")
            self.send_response(200)
            self.send_header("Content-Type", ctype)
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)

        def do_GET(self):
            url = urllib.parse.urlsplit(self.path)
            query = urllib.parse.parse_qs(url.query, encoding="gbk", keep_blank_values=True)
            page = url.path.rsplit("/", 1)[-1]
            if page == "getKdInfo.jsp":
                self.reply(centre)
            elif page == "ClientLogin_Exam_Check.jsp":
                ok = (query.get("username", [""])[0] == ticket and
                      query.get("password", [""])[0] == document)
                self.reply("0" if ok else "-2")
            elif page == "ClientLogin_Exam.jsp":
                who = query.get("username", [""])[0]
                ip = query.get("LocalIp", [""])[0]
                self.reply("<html><head><title>考试</title></head><body>"
                           f"<h1>欢迎参加考试</h1><p>准考证号 {who}，工作站 {ip}</p></body></html>")
            else:
                self.send_error(404)

        def log_message(self, fmt, *args):
            print("demo server:", fmt % args, flush=True)

    return Handler


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--port", type=int, default=18080)
    ap.add_argument("--ticket", default="20260001")
    ap.add_argument("--document", default="110101200001011234")
    ap.add_argument("--centre", default="第一考点 第01考场")
    a = ap.parse_args()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", a.port),
                                             make_handler(a.ticket, a.document, a.centre))
    print(f"demo server: http://127.0.0.1:{a.port}/ (ticket {a.ticket}, document {a.document})", flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
