#pragma once
// The script that copies the document on show into one HTML text: the DOM as
// it is now (form values, checked boxes and chosen options written into the
// markup, style sheets as the page's scripts left them, canvases as pictures,
// same-origin frames inline, open shadow roots as templates), the page's base
// address first in its head, and nothing that would run: scripts, event
// handler attributes, javascript: links and refreshes are left out. It runs
// in the application's own script world, so page scripts cannot tamper with
// it. The result is the text, or null when there is no document.

namespace plume::platform {

inline constexpr const char* kShownDocumentScript = R"JS((function(){
function doctypeOf(doc){var t=doc.doctype;if(!t)return '';var s='<!DOCTYPE '+t.name;
 if(t.publicId)s+=' PUBLIC "'+t.publicId+'"';
 if(t.systemId)s+=(t.publicId?'':' SYSTEM')+' "'+t.systemId+'"';
 return s+'>';}
function rulesOf(sheet){try{var r=sheet.cssRules,t='';for(var i=0;i<r.length;i++)t+=r[i].cssText+'\n';return t;}
 catch(e){return null;}}
var urlAttrs={href:1,src:1,action:1,formaction:1,'xlink:href':1,data:1};
function copy(doc,depth){
 var root=doc.documentElement;if(!root)return null;
 var inert=doc.implementation.createHTMLDocument('');
 var clone=inert.importNode(root,true);
 var from=[root].concat(Array.prototype.slice.call(root.querySelectorAll('*')));
 var to=[clone].concat(Array.prototype.slice.call(clone.querySelectorAll('*')));
 var drop=[];
 for(var i=0;i<from.length&&i<to.length;i++){
  var s=from[i],d=to[i],tag=(s.localName||'').toLowerCase();
  for(var a=d.attributes.length-1;a>=0;a--){var at=d.attributes[a],n=at.name.toLowerCase();
   if(n.indexOf('on')===0||(urlAttrs[n]&&/^\s*javascript:/i.test(at.value)))d.removeAttribute(at.name);}
  if(tag==='script'||tag==='base'||(tag==='meta'&&/^\s*(refresh|content-security-policy)\s*$/i.test(d.getAttribute('http-equiv')||''))){
   drop.push(d);continue;}
  if(tag==='input'){var ty=(s.type||'').toLowerCase();
   if(ty==='checkbox'||ty==='radio'){if(s.checked)d.setAttribute('checked','');else d.removeAttribute('checked');}
   else if(ty!=='file'&&ty!=='password')d.setAttribute('value',s.value);}
  else if(tag==='textarea'){d.textContent=s.value;}
  else if(tag==='option'){if(s.selected)d.setAttribute('selected','');else d.removeAttribute('selected');}
  else if(tag==='style'){if(s.sheet){var t=rulesOf(s.sheet);if(t!==null)d.textContent=t;}}
  else if(tag==='img'){d.removeAttribute('loading');if(s.currentSrc&&!/^blob:/.test(s.currentSrc)){d.setAttribute('src',s.currentSrc);d.removeAttribute('srcset');}}
  else if(tag==='canvas'){try{var img=inert.createElement('img');
    for(var b=0;b<d.attributes.length;b++)img.setAttribute(d.attributes[b].name,d.attributes[b].value);
    img.setAttribute('width',s.width);img.setAttribute('height',s.height);img.setAttribute('src',s.toDataURL());
    d.replaceWith(img);}catch(e){}}
  else if(tag==='iframe'||tag==='frame'){var inner=null;
   try{if(depth<4&&s.contentDocument)inner=copy(s.contentDocument,depth+1);}catch(e){inner=null;}
   if(inner!==null&&tag==='iframe'){d.removeAttribute('src');d.setAttribute('srcdoc',inner);}
   else if(tag==='iframe'){d.setAttribute('sandbox','allow-same-origin');}}
  if(s.shadowRoot&&depth<4){var tpl=inert.createElement('template');
   tpl.setAttribute('shadowroot','open');tpl.setAttribute('shadowrootmode','open');
   tpl.innerHTML=s.shadowRoot.innerHTML;d.insertBefore(tpl,d.firstChild);}
 }
 for(var k=0;k<drop.length;k++)if(drop[k].parentNode)drop[k].parentNode.removeChild(drop[k]);
 var head=clone.querySelector('head');
 if(!head){head=inert.createElement('head');clone.insertBefore(head,clone.firstChild);}
 var base=inert.createElement('base');base.setAttribute('href',doc.baseURI);head.insertBefore(base,head.firstChild);
 var adopted=doc.adoptedStyleSheets||[];
 for(var m=0;m<adopted.length;m++){var css=rulesOf(adopted[m]);
  if(css!==null){var st=inert.createElement('style');st.textContent=css;head.appendChild(st);}}
 return doctypeOf(doc)+clone.outerHTML;}
return copy(document,0);})())JS";

}  // namespace plume::platform
